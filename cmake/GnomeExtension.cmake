# The GNOME Shell extension of the GNOME back end. Shell 43 and 44 load extension.js as
# a script, 45 and later only as an ES module: one shared service body, joined into
# two thin entry wrappers, gives a variant for each with the same uuid. Both are built
# (gnome-extension/43 and gnome-extension/45 in the build folder); the one for the
# Shell the package is meant for is installed into the system extensions folder.
set(QLR_GNOME_EXTENSION_UUID quillora@quillora.org)
set(QLR_GNOME_EXTENSION_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/gnome/extension)

# The Shell of this system decides the default; without one, Debian 12's (43).
set(detected_variant 43)
find_program(QLR_GNOME_SHELL_PROGRAM gnome-shell)
if(QLR_GNOME_SHELL_PROGRAM)
    execute_process(COMMAND ${QLR_GNOME_SHELL_PROGRAM} --version OUTPUT_VARIABLE shell_version
                    ERROR_QUIET TIMEOUT 10)
    if(shell_version MATCHES "GNOME Shell ([0-9]+)" AND CMAKE_MATCH_1 GREATER_EQUAL 45)
        set(detected_variant 45)
    endif()
endif()
set(QLR_GNOME_SHELL_VARIANT ${detected_variant} CACHE STRING
    "Which extension variant is installed: 43 (GNOME Shell 43-44) or 45 (45 and later)")
set_property(CACHE QLR_GNOME_SHELL_VARIANT PROPERTY STRINGS 43 45)

set(QLR_GNOME_EXTENSION_OUTPUTS)
foreach(variant 43 45)
    if(variant EQUAL 43)
        set(versions 43,44)
    else()
        set(versions 45,46,47,48,49)
    endif()
    set(out ${CMAKE_CURRENT_BINARY_DIR}/gnome-extension/${variant}/${QLR_GNOME_EXTENSION_UUID})
    add_custom_command(
        OUTPUT ${out}/extension.js ${out}/metadata.json
        COMMAND ${CMAKE_COMMAND} -DENTRY=${QLR_GNOME_EXTENSION_SOURCE}/entry-${variant}.js
                -DSERVICE=${QLR_GNOME_EXTENSION_SOURCE}/service.js
                -DMETADATA=${QLR_GNOME_EXTENSION_SOURCE}/metadata.json.in
                -DUUID=${QLR_GNOME_EXTENSION_UUID} -DVERSIONS=${versions} -DOUT=${out}
                -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/JoinGnomeExtension.cmake
        DEPENDS ${QLR_GNOME_EXTENSION_SOURCE}/entry-${variant}.js ${QLR_GNOME_EXTENSION_SOURCE}/service.js
                ${QLR_GNOME_EXTENSION_SOURCE}/metadata.json.in ${CMAKE_CURRENT_SOURCE_DIR}/cmake/JoinGnomeExtension.cmake
        COMMENT "Joining the GNOME Shell extension for Shell ${versions}")
    list(APPEND QLR_GNOME_EXTENSION_OUTPUTS ${out}/extension.js ${out}/metadata.json)
endforeach()
add_custom_target(qlr_gnome_extension ALL DEPENDS ${QLR_GNOME_EXTENSION_OUTPUTS})
set(QLR_GNOME_EXTENSION_DIR
    ${CMAKE_CURRENT_BINARY_DIR}/gnome-extension/${QLR_GNOME_SHELL_VARIANT}/${QLR_GNOME_EXTENSION_UUID})
