# Desktop integration: the sample combination file in the program folder, the desktop
# entry, the settings-file type for "*.qlt" and the icons. The programs install themselves,
# and the resources install the help files and cursors they generate.
set(QELT32_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/res/desktop)
set(QELT32_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/qelt32)

# The build tree's program folder gets the sample too, so that it runs as installed.
add_custom_command(
    OUTPUT ${QELT32_BIN_DIR}/Display.ini
    COMMAND ${CMAKE_COMMAND} -E copy ${QELT32_DESKTOP_DIR}/Display.ini ${QELT32_BIN_DIR}/Display.ini
    DEPENDS ${QELT32_DESKTOP_DIR}/Display.ini)
add_custom_target(qelt32_sample_display_ini ALL DEPENDS ${QELT32_BIN_DIR}/Display.ini)
install(FILES ${QELT32_BIN_DIR}/Display.ini DESTINATION ${QELT32_DATA_DESTINATION})

install(FILES ${QELT32_DESKTOP_DIR}/qelt32.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QELT32_DESKTOP_DIR}/qelt32-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME qelt32.xml)

# The program's icon as the generator draws it, for the program and for its files.
set(QELT32_APP_ICON ${CMAKE_BINARY_DIR}/res/assets/icons/128.png)
install(FILES ${QELT32_APP_ICON}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME qelt32.png)
install(FILES ${QELT32_APP_ICON}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/mimetypes
    RENAME application-x-qelt32-settings.png)

# The software centres' description of the program, with the version and where its
# screenshots (tools/screenshots.sh) are published.
set(QELT32_HOMEPAGE "https://vorka.example/qelt32" CACHE STRING
    "Home page of the program; its screenshots lie under <home page>/screenshots")
set(QELT32_METAINFO ${CMAKE_BINARY_DIR}/res/desktop/com.vorka.qelt32.metainfo.xml)
configure_file(${QELT32_DESKTOP_DIR}/qelt32.metainfo.xml.in ${QELT32_METAINFO} @ONLY)
install(FILES ${QELT32_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages, with the version, compressed as man expects them in a package.
# qelt32ctl's page and its bash completion are completed from its command table.
set(QELT32_MAN_DIR ${CMAKE_BINARY_DIR}/res/man)
set(QELT32_COMPLETION ${CMAKE_BINARY_DIR}/res/completion/qelt32ctl)
foreach(page qelt32.1 qelt32-sim.1)
    configure_file(${CMAKE_SOURCE_DIR}/res/man/${page}.in ${QELT32_MAN_DIR}/${page} @ONLY)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/res/man/qelt32ctl.1.in ${QELT32_MAN_DIR}/qelt32ctl.1.configured
    @ONLY)
add_custom_command(
    OUTPUT ${QELT32_MAN_DIR}/qelt32ctl.1 ${QELT32_COMPLETION}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res/completion
    COMMAND qelt32ctl-docgen ${QELT32_MAN_DIR}/qelt32ctl.1.configured ${QELT32_MAN_DIR}/qelt32ctl.1
            ${CMAKE_SOURCE_DIR}/res/completion/qelt32ctl.in ${QELT32_COMPLETION}
    DEPENDS qelt32ctl-docgen ${QELT32_MAN_DIR}/qelt32ctl.1.configured
            ${CMAKE_SOURCE_DIR}/res/completion/qelt32ctl.in
    COMMENT "Writing qelt32ctl's manual page and completion from its command table")
set(QELT32_MAN_OUTPUTS)
foreach(page qelt32.1 qelt32ctl.1 qelt32-sim.1)
    set(output ${QELT32_MAN_DIR}/${page}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9n -c ${QELT32_MAN_DIR}/${page} > ${output}
        DEPENDS ${QELT32_MAN_DIR}/${page} VERBATIM)
    list(APPEND QELT32_MAN_OUTPUTS ${output})
endforeach()
add_custom_target(qelt32_man_pages ALL DEPENDS ${QELT32_MAN_OUTPUTS} ${QELT32_COMPLETION})
install(FILES ${QELT32_MAN_OUTPUTS} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Completion of qelt32ctl's commands, items, option values and files, where bash-completion
# looks for it.
install(FILES ${QELT32_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Refresh the desktop's caches when installing for real (packages do it themselves).
install(CODE "set(QELT32_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
        set(share "${QELT32_DATADIR}")
        if(NOT IS_ABSOLUTE "${share}")
            set(share "${CMAKE_INSTALL_PREFIX}/${share}")
        endif()
        find_program(QELT32_UPDATE_MIME update-mime-database)
        find_program(QELT32_UPDATE_DESKTOP update-desktop-database)
        if(QELT32_UPDATE_MIME)
            execute_process(COMMAND ${QELT32_UPDATE_MIME} "${share}/mime")
        endif()
        if(QELT32_UPDATE_DESKTOP)
            execute_process(COMMAND ${QELT32_UPDATE_DESKTOP} "${share}/applications")
        endif()
    endif()
]])
