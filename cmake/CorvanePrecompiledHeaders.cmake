# The Windows build parses <windows.h>, the standard library's common
# headers and GoogleTest once, not in every unit: that parse was about 0.6 s
# of a unit's 1 s, in some 280 units.  Each C++ target of ours reuses one of
# two precompiled headers, the one with GoogleTest for the test programs.
# Only the Windows build does: the native builds are the check that every
# unit includes what it uses.

set(CORVANE_PCH_HEADERS
  <windows.h> <algorithm> <atomic> <cstddef> <cstdint> <cstdio> <cstring>
  <memory> <optional> <string> <string_view> <utility> <vector>)

function(corvane_pch_owner name)
  # Written only when it differs: a newer owner rebuilds every unit on the header.
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/${name}.cpp CONTENT "// Builds the precompiled header only.\n")
  add_library(${name} STATIC ${CMAKE_BINARY_DIR}/${name}.cpp)
  target_precompile_headers(${name} PRIVATE ${CORVANE_PCH_HEADERS} ${ARGN})
endfunction()

# Every target below `folder` with C++ sources.
function(corvane_cxx_targets folder out)
  set(found "")
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(sources ${target} SOURCES)
    if(sources MATCHES "\\.cpp(;|$)")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(folders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS folders)
    corvane_cxx_targets(${sub} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Called once every folder of ours is added.
function(corvane_precompile_headers)
  corvane_pch_owner(corvane_pch)
  corvane_pch_owner(corvane_gtest_pch <gtest/gtest.h>)
  target_link_libraries(corvane_gtest_pch PRIVATE gtest)
  corvane_cxx_targets(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    if(target MATCHES "^corvane(_gtest)?_pch$")
      continue()
    endif()
    get_target_property(libraries ${target} LINK_LIBRARIES)
    if("gtest" IN_LIST libraries)
      target_precompile_headers(${target} REUSE_FROM corvane_gtest_pch)
    else()
      target_precompile_headers(${target} REUSE_FROM corvane_pch)
    endif()
  endforeach()
endfunction()
