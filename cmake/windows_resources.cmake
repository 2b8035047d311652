# stepwright_windows_resources(TARGET DESCRIPTION [ICON]): gives a Windows program its version,
# its manifest (UTF-8 file names) and, with ICON, the application icon.
function(stepwright_windows_resources target description)
    set(windows ${PROJECT_SOURCE_DIR}/resources/windows)
    set(rc_name ${target})
    set(rc_description ${description})
    set(rc_manifest ${windows}/stepwright.manifest)
    set(rc_icon "")
    if(ARGN STREQUAL "ICON")
        set(rc_icon "IDI_ICON1 ICON \"${windows}/stepwright.ico\"")
    endif()
    configure_file(${windows}/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
