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

# The icons of the program and of its files as the generator draws them: every size,
# scalable and symbolic.
install(DIRECTORY ${CMAKE_BINARY_DIR}/res/assets/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The software centres' description of the program, with the version. The program has no
# home page, so the description names none and shows no screenshots from one.
set(QELT32_METAINFO ${CMAKE_BINARY_DIR}/res/desktop/com.vorka.qelt32.metainfo.xml)
configure_file(${QELT32_DESKTOP_DIR}/qelt32.metainfo.xml.in ${QELT32_METAINFO} @ONLY)
install(FILES ${QELT32_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages, with the version, compressed as man expects them in a package.
# qelt32ctl's page and its bash completion are completed from its command table.
set(QELT32_MAN_DIR ${CMAKE_BINARY_DIR}/res/man)
set(QELT32_COMPLETION ${CMAKE_BINARY_DIR}/res/completion/qelt32ctl)
foreach(page qelt32.1 qelt32-sim.1 qelt32-dbus.7)
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
# Each program's page goes with the program's package.
set(QELT32_MAN_OUTPUTS)
foreach(program qelt32 qelt32ctl qelt32-sim)
    set(output ${QELT32_MAN_DIR}/${program}.1.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9n -c ${QELT32_MAN_DIR}/${program}.1 > ${output}
        DEPENDS ${QELT32_MAN_DIR}/${program}.1 VERBATIM)
    list(APPEND QELT32_MAN_OUTPUTS ${output})
    install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${program})
endforeach()
# The bus interface's page and introspection data go with the desktop program, which
# serves it (qelt32ctl serve does too, and points to the page).
set(QELT32_DBUS_PAGE ${QELT32_MAN_DIR}/qelt32-dbus.7.gz)
add_custom_command(OUTPUT ${QELT32_DBUS_PAGE}
    COMMAND gzip -9n -c ${QELT32_MAN_DIR}/qelt32-dbus.7 > ${QELT32_DBUS_PAGE}
    DEPENDS ${QELT32_MAN_DIR}/qelt32-dbus.7 VERBATIM)
list(APPEND QELT32_MAN_OUTPUTS ${QELT32_DBUS_PAGE})
install(FILES ${QELT32_DBUS_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man7)
add_custom_target(qelt32_man_pages ALL DEPENDS ${QELT32_MAN_OUTPUTS} ${QELT32_COMPLETION})

# Completion of qelt32ctl's commands, items, option values and files, where bash-completion
# looks for it.
install(FILES ${QELT32_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
    COMPONENT qelt32ctl)

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
