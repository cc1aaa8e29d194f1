# SQLite with FTS5, for the History Viewer's search index only (the hook
# library never links it): target corvane_sqlite3.
#
# For Windows it is compiled here, statically, from the amalgamation that
# tools/setup builds out of Debian's own sqlite3 source package; natively
# Debian's libsqlite3-dev of the same version serves the tests, the fuzz
# targets and the benchmarks.
if(WIN32)
  set(CORVANE_SQLITE_AMALGAMATION ${PROJECT_SOURCE_DIR}/build/sqlite/amalgamation
      CACHE PATH "Where tools/setup put sqlite3.c and sqlite3.h")
  if(NOT EXISTS ${CORVANE_SQLITE_AMALGAMATION}/sqlite3.c)
    message(FATAL_ERROR "No SQLite amalgamation in ${CORVANE_SQLITE_AMALGAMATION}: run tools/setup")
  endif()
  add_library(corvane_sqlite3 STATIC ${CORVANE_SQLITE_AMALGAMATION}/sqlite3.c)
  target_include_directories(corvane_sqlite3 SYSTEM PUBLIC ${CORVANE_SQLITE_AMALGAMATION})
  target_compile_definitions(corvane_sqlite3 PRIVATE
    SQLITE_ENABLE_FTS5
    # Connections are shared by the viewer's threads.
    SQLITE_THREADSAFE=1
    SQLITE_DEFAULT_WAL_SYNCHRONOUS=1
    SQLITE_DQS=0
    SQLITE_OMIT_LOAD_EXTENSION
    SQLITE_OMIT_SHARED_CACHE
    SQLITE_DEFAULT_MEMSTATUS=0)
  # Another project's code: its warnings are not ours to mend.
  target_compile_options(corvane_sqlite3 PRIVATE -w)
else()
  find_package(SQLite3 3.40 REQUIRED)
  add_library(corvane_sqlite3 INTERFACE)
  target_link_libraries(corvane_sqlite3 INTERFACE SQLite::SQLite3)
endif()
