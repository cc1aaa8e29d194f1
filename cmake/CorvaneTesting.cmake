# Test registration shared by both presets.
#
# Native tests are discovered one by one.  A Windows test program runs as one
# ctest test through Wine (each Wine start costs about half a second).  Every
# Windows test takes one "session" (tools/in-test-sessions: a Wine prefix,
# server and X display of its own), so that no two of them share a registry,
# a settings record, the system-wide hook, a window manager or the pointer:
# a window of one test made active, or a drag of one passing over another's
# window, was a failure of the other under load.  tools/test gives ctest the
# sessions' resource spec.
include(GoogleTest)

# No test ever reaches the maker's real sites: the version check that every
# Buddy List starts, and the Web and Help buttons, go to a closed local port
# unless a test points them at a server of its own.
set(CORVANE_OFFLINE_ENVIRONMENT
  "CORVANE_UPDATE_SERVER=http://127.0.0.1:9;CORVANE_WEB_SITE=http://127.0.0.1:9")

# The fuzz tree neither builds nor runs these: the native tree runs them
# under the sanitizers already.
function(corvane_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest gtest_main)
  if(CORVANE_FUZZ)
    set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL ON)
    return()
  endif()
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES LABELS wine RESOURCE_GROUPS "session:1"
      ENVIRONMENT "${CORVANE_OFFLINE_ENVIRONMENT}")
  else()
    # One unit per test program: GoogleTest's header was half of each test
    # file's compile.  The product's units stay one per file, the check that
    # each includes what it uses.
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS native)
  endif()
endfunction()

# The tests' interpreter, found once for the whole tree.  A version
# manager's shim (pyenv's) runs a shell script before every start of the
# interpreter, about a second each under a full test run: the configure
# steps and the tests start the interpreter it leads to.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
execute_process(COMMAND ${Python3_EXECUTABLE} -c "import sys; print(sys.executable)"
  OUTPUT_VARIABLE CORVANE_PYTHON OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE python_found)
if(python_found EQUAL 0 AND EXISTS "${CORVANE_PYTHON}")
  set(Python3_EXECUTABLE ${CORVANE_PYTHON})
endif()

# An end-to-end test: a Python driver (in tests/e2e/, with its arguments after
# it) that starts the Windows programs under Wine and reads back what they did.
# A unittest script without arguments becomes one ctest test per case
# (tests/e2e_cases.py lists them), so that the cases of a long script run
# side by side in the sessions; every case starts from a clean prefix anyway.
# The tests made are in ${name}_TESTS.
# End-to-end tests go before the others: they wait on their sessions, and
# the tests that need no session fill the time beside them.
function(corvane_add_e2e name script)
  set(path ${CMAKE_SOURCE_DIR}/tests/e2e/${script})
  set(cases "")
  if(NOT ARGN)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
    execute_process(
      COMMAND ${Python3_EXECUTABLE} -B ${CMAKE_SOURCE_DIR}/tests/e2e/e2e_cases.py ${path}
      OUTPUT_VARIABLE listed ERROR_VARIABLE failure RESULT_VARIABLE status
      OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "cannot list the cases of ${script}: ${failure}")
    endif()
    string(REPLACE "\n" ";" cases "${listed}")
  endif()
  list(LENGTH cases count)
  if(count LESS 2)
    set(tests ${name})
    add_test(NAME ${name} COMMAND ${Python3_EXECUTABLE} ${path} ${ARGN})
  else()
    set(tests "")
    foreach(case IN LISTS cases)
      list(APPEND tests ${name}.${case})
      add_test(NAME ${name}.${case} COMMAND ${Python3_EXECUTABLE} ${path} ${case})
    endforeach()
  endif()
  set_tests_properties(${tests} PROPERTIES
    LABELS "wine;e2e"
    COST 50
    RESOURCE_GROUPS "session:1"
    ENVIRONMENT "CORVANE_BIN=${CORVANE_BIN_DIR};CORVANE_SOURCE=${CMAKE_SOURCE_DIR};CORVANE_MINGW_PREFIX=${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-;${CORVANE_OFFLINE_ENVIRONMENT}")
  set(${name}_TESTS ${tests} PARENT_SCOPE)
endfunction()

# A libFuzzer target (fuzz preset only).  ctest runs it for a bounded number
# of inputs, so a plain test run also exercises it; longer runs by hand.
function(corvane_add_fuzzer name)
  cmake_parse_arguments(ARG "" "RUNS" "SOURCES;LIBS" ${ARGN})
  if(NOT CORVANE_FUZZ)
    return()
  endif()
  if(NOT ARG_RUNS)
    set(ARG_RUNS 200000)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME ${name} COMMAND ${name} -runs=${ARG_RUNS} -seed=1 -max_len=4096)
  set_tests_properties(${name} PROPERTIES LABELS fuzz)
endfunction()
