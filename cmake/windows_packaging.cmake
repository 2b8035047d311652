# The Windows programs with what they need beside them, as an NSIS installer and a zip: Qt's
# DLLs and plugins and MinGW's runtime. This cross build of Qt has no windeployqt, so the list is
# kept here; Qt finds its plugins in the folders beside the program.
get_filename_component(qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
install(FILES ${qt_prefix}/bin/Qt6Core.dll ${qt_prefix}/bin/Qt6Gui.dll
              ${qt_prefix}/bin/Qt6Widgets.dll DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${qt_prefix}/plugins/platforms/qwindows.dll
        DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll
        DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}")
        message(FATAL_ERROR "The MinGW runtime ${runtime} was not found")
    endif()
    install(FILES ${found} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# The DLLs come with their symbols, which only a debugger reads: stripped, the package is a
# third of the size. CPACK_STRIP_FILES strips the programs only.
install(CODE "
    file(GLOB dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/*.dll\")
    execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \${dlls} COMMAND_ERROR_IS_FATAL ANY)
")

set(CPACK_GENERATOR "NSIS64;ZIP")
# The values reach CPack as they are written here; the backslashes of Windows paths and registry
# keys need no second escaping.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME stepwright)
set(CPACK_PACKAGE_VENDOR "Stepwright developers")
set(CPACK_PACKAGE_VERSION ${STEPWRIGHT_VERSION_TEXT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for KT615 device programmer scripts")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Stepwright)
set(CPACK_PACKAGE_EXECUTABLES stepwright Stepwright)
set(CPACK_STRIP_FILES ON)
# The installer's own name differs from the zip's (cmake/windows/package_names.cmake).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows/package_names.cmake)
# CMake's own installer template, changed where it must be: 64-bit stubs (Debian's wine runs no
# 32-bit program, and the programs are 64-bit anyway), and an install for the current user only,
# without administrator rights: the user's registry hive, Start menu and local programs folder.
# Each change must find its text, so a template that moved on stops the build here.
function(change_nsis_template from to)
    string(FIND "${nsis_template}" "${from}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "CMake's NSIS template has no \"${from}\" to change")
    endif()
    string(REPLACE "${from}" "${to}" changed "${nsis_template}")
    set(nsis_template "${changed}" PARENT_SCOPE)
endfunction()
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis_template)
set(first_line "; CPack install script designed for a nmake build")
change_nsis_template("${first_line}" "${first_line}\nTarget amd64-unicode")
change_nsis_template("RequestExecutionLevel admin" "RequestExecutionLevel user")
set(uninstall_key "\"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall")
change_nsis_template("HKLM ${uninstall_key}" "HKCU ${uninstall_key}")
change_nsis_template("SetShellVarContext all" "SetShellVarContext current")
change_nsis_template("StrCpy $SV_ALLUSERS \"AllUsers\"" "StrCpy $SV_ALLUSERS \"JustMe\"")
change_nsis_template("$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@"
                     "@CPACK_NSIS_INSTALL_ROOT@\\@CPACK_PACKAGE_INSTALL_DIRECTORY@")
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${nsis_template}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
set(CPACK_NSIS_PACKAGE_NAME "Stepwright ${STEPWRIGHT_VERSION_TEXT}")
set(CPACK_NSIS_DISPLAY_NAME Stepwright)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/windows/stepwright.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/windows/stepwright.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\stepwright.exe)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY bin)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# For the current user, without administrator rights: the user's programs folder, and .scp files
# open with the editor from Explorer through the user's own classes; the uninstaller, listed with
# the user's installed apps, takes the association back.
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\Programs")
set(classes "HKCU 'Software\\Classes")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
    WriteRegStr ${classes}\\.scp' '' 'Stepwright.Script'
    WriteRegStr ${classes}\\Stepwright.Script' '' 'KT615 script'
    WriteRegStr ${classes}\\Stepwright.Script\\DefaultIcon' '' '$INSTDIR\\bin\\stepwright.exe,0'
    WriteRegStr ${classes}\\Stepwright.Script\\shell\\open\\command' '' '$\\\"$INSTDIR\\bin\\stepwright.exe$\\\" $\\\"%1$\\\"'
")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
    DeleteRegKey ${classes}\\Stepwright.Script'
    DeleteRegValue ${classes}\\.scp' ''
")
include(CPack)
