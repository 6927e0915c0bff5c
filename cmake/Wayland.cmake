# Wayland protocols we speak ourselves beside the toolkit (the locked pointer of the
# full-screen drag, the test harness's virtual pointer): their client code, made by
# wayland-scanner from the protocols' descriptions. Without libwayland-client,
# wayland-protocols or wayland-scanner they are left out.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
    pkg_check_modules(QELT32_WAYLAND_CLIENT QUIET IMPORTED_TARGET wayland-client)
    pkg_get_variable(QELT32_WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
endif()
find_program(QELT32_WAYLAND_SCANNER wayland-scanner)
if(QELT32_WAYLAND_CLIENT_FOUND AND QELT32_WAYLAND_PROTOCOLS_DIR AND QELT32_WAYLAND_SCANNER)
    set(QELT32_HAVE_WAYLAND ON)
    enable_language(C)
else()
    set(QELT32_HAVE_WAYLAND OFF)
    message(STATUS "Wayland protocols left out: libwayland-client, wayland-protocols or wayland-scanner missing")
endif()

# Adds the client code of the protocol described in `xml` to `target`.
function(qelt32_wayland_protocol target xml)
    get_filename_component(name ${xml} NAME_WE)
    set(dir ${CMAKE_BINARY_DIR}/wayland)
    add_custom_command(OUTPUT ${dir}/${name}-client-protocol.h ${dir}/${name}-protocol.c
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${QELT32_WAYLAND_SCANNER} client-header ${xml} ${dir}/${name}-client-protocol.h
        COMMAND ${QELT32_WAYLAND_SCANNER} private-code ${xml} ${dir}/${name}-protocol.c
        DEPENDS ${xml} VERBATIM)
    target_sources(${target} PRIVATE ${dir}/${name}-client-protocol.h ${dir}/${name}-protocol.c)
    target_include_directories(${target} PRIVATE ${dir})
    target_link_libraries(${target} PRIVATE PkgConfig::QELT32_WAYLAND_CLIENT)
endfunction()

