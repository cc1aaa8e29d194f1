# What the release ships: each program stripped into ship/, its debug
# information kept in symbols/NAME.debug (named by the stripped file's
# debug link, for crash analysis; never shipped).  bin/ keeps the full
# files, which the tests map back to function names.
set(CORVANE_SHIP_DIR ${PROJECT_BINARY_DIR}/ship)
set(CORVANE_SYMBOLS_DIR ${PROJECT_BINARY_DIR}/symbols)
file(MAKE_DIRECTORY ${CORVANE_SHIP_DIR} ${CORVANE_SYMBOLS_DIR})

function(corvane_ship target file_name)
  # Every import must exist on Windows XP SP3 (tests/checks/xp_imports_test.py):
  # winpthreads' GetTickCount64 is our own (common/tick_count_64.h).
  target_link_libraries(${target} PRIVATE corvane_tick_count_64)
  set(built $<TARGET_FILE:${target}>)
  set(stripped ${CORVANE_SHIP_DIR}/${file_name})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${built} ${file_name}.debug
    COMMAND ${CMAKE_STRIP} --strip-all -o ${stripped} ${built}
    # The link holds the debug file's name and checksum; run where it lies.
    COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=${file_name}.debug ${stripped}
    WORKING_DIRECTORY ${CORVANE_SYMBOLS_DIR}
    VERBATIM)
  install(FILES ${stripped} DESTINATION .)
  set_property(GLOBAL APPEND PROPERTY CORVANE_SHIPPED_PROGRAMS ${file_name})
endfunction()
