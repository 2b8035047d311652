# cpack -G DEB from a release build: a package of everything cmake --install puts in place,
# under /usr. Its dependencies are computed from the programs by dpkg-shlibdeps (dpkg-dev).
# On Windows: an NSIS installer and a zip of the same files (cmake/windows_packaging.cmake).
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows_packaging.cmake)
    return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME stepwright)
set(CPACK_PACKAGE_VERSION ${STEPWRIGHT_VERSION_TEXT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for KT615 device programmer scripts")
set(CPACK_PACKAGE_DESCRIPTION "\
Stepwright composes the script files (.scp) of the KT615 device programmer:\n\
steps are set into a Normal mode and an Error mode flow, numbered, moved,\n\
deleted and loaded back for editing. stepwright-check checks script files\n\
from the command line.")
set(CPACK_PACKAGE_CONTACT "${STEPWRIGHT_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not a library dependency: the font that stands in for Arial, so the window looks as designed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
include(CPack)
