# CPack reads this once per generator: the two packages get their own names.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Corvane-${CPACK_PACKAGE_VERSION}-setup")
else()
  set(CPACK_PACKAGE_FILE_NAME "Corvane-${CPACK_PACKAGE_VERSION}-win32")
endif()
