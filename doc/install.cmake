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
