# Client code for Wayland protocols, generated with wayland-scanner at build time.
#   qlr_wayland_protocols(TARGET file.xml ...)
# adds to TARGET the generated sources and a folder of headers named after each file
# (file-client-protocol.h), and links libwayland-client.
find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
if(NOT WAYLAND_SCANNER)
    find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
endif()

function(qlr_wayland_protocols target)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols/${target})
    file(MAKE_DIRECTORY ${out})
    foreach(xml ${ARGN})
        get_filename_component(name ${xml} NAME_WE)
        add_custom_command(
            OUTPUT ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c
            COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${out}/${name}-client-protocol.h
            COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${out}/${name}-protocol.c
            DEPENDS ${xml}
            COMMENT "Generating Wayland protocol code for ${name}")
        target_sources(${target} PRIVATE ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c)
    endforeach()
    target_include_directories(${target} PUBLIC ${out})
    target_link_libraries(${target} PUBLIC PkgConfig::WAYLAND_CLIENT)
endfunction()
