# Read by cpack for each generator: the installer and the zip are told apart by their names.
if(CPACK_GENERATOR MATCHES "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "stepwright-${CPACK_PACKAGE_VERSION}-setup")
else()
    set(CPACK_PACKAGE_FILE_NAME "stepwright-${CPACK_PACKAGE_VERSION}-windows")
endif()
