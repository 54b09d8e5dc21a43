# Install rules: the program, its data folder (service page, its translation server's
# launcher and the shipped settings),
# desktop integration (launcher, icons, AppStream metainfo, session autostart),
# the manual page and the package documentation.
include(GNUInstallDirs)

set(QLR_APP_ID org.quillora.Quillora)
# The program finds this folder relative to its executable (see SettingsFiles::programFolder).
set(QLR_DATA_SUBDIR ${CMAKE_INSTALL_DATADIR}/quillora)

install(TARGETS qlr RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY service/page/ DESTINATION ${QLR_DATA_SUBDIR}/page)
# The GNOME Shell extension, for every user of the system (each one enables it).
if(QLR_GNOME)
    install(DIRECTORY ${QLR_GNOME_EXTENSION_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions)
endif()
# The page's own translation server, beside the page where the program looks for it.
install(PROGRAMS service/server/translation-server.py DESTINATION ${QLR_DATA_SUBDIR}/server)
install(CODE "
    set(QLR_INI_TEMPLATE \"${CMAKE_CURRENT_SOURCE_DIR}/data/qlr.ini.in\")
    set(QLR_WRITE_SCRIPT \"${CMAKE_CURRENT_SOURCE_DIR}/cmake/WriteSettingsFile.cmake\")
    set(QLR_DATA_SUBDIR \"${QLR_DATA_SUBDIR}\")
    include(\"${CMAKE_CURRENT_SOURCE_DIR}/cmake/InstallSettingsFile.cmake\")")

# The icon theme tree is drawn by the same code as the tray and about-box mark.
add_executable(qlr_render_icons tools/RenderIcons.cpp)
target_link_libraries(qlr_render_icons PRIVATE qlr_config)
qlr_set_warnings(qlr_render_icons)
set(QLR_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)
add_custom_command(
    OUTPUT ${QLR_ICON_DIR}/hicolor/scalable/apps/${QLR_APP_ID}.svg
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:qlr_render_icons> ${QLR_ICON_DIR} ${QLR_APP_ID}
    DEPENDS qlr_render_icons
    COMMENT "Drawing the icon theme files")
add_custom_target(qlr_icons ALL DEPENDS ${QLR_ICON_DIR}/hicolor/scalable/apps/${QLR_APP_ID}.svg)
install(DIRECTORY ${QLR_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

configure_file(data/${QLR_APP_ID}.metainfo.xml ${CMAKE_CURRENT_BINARY_DIR}/${QLR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QLR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The launcher and the session autostart entry (their folder and the program's path
# depend on the prefix given at install time).
install(CODE "
    set(QLR_LAUNCHER_ENTRY \"${CMAKE_CURRENT_SOURCE_DIR}/data/${QLR_APP_ID}.desktop\")
    set(QLR_AUTOSTART_ENTRY \"${CMAKE_CURRENT_SOURCE_DIR}/data/${QLR_APP_ID}.autostart.desktop\")
    set(QLR_ENTRY_NAME ${QLR_APP_ID}.desktop)
    set(QLR_ENTRY_WORK_DIR \"${CMAKE_CURRENT_BINARY_DIR}/desktop-entries\")
    set(QLR_BIN_SUBDIR \"${CMAKE_INSTALL_BINDIR}\")
    set(QLR_DATA_SUBDIR \"${CMAKE_INSTALL_DATADIR}\")
    set(QLR_SYSCONF_SUBDIR \"${CMAKE_INSTALL_SYSCONFDIR}\")
    include(\"${CMAKE_CURRENT_SOURCE_DIR}/cmake/InstallDesktopEntries.cmake\")")

# Manual page and package documentation, compressed as Debian expects.
function(qlr_gzip input output)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${input} ${output}
        DEPENDS ${input} VERBATIM)
endfunction()
set(QLR_DOC_DIR ${CMAKE_CURRENT_BINARY_DIR}/doc)
configure_file(data/debian/changelog.in ${QLR_DOC_DIR}/changelog @ONLY)
qlr_gzip(${QLR_DOC_DIR}/changelog ${QLR_DOC_DIR}/changelog.gz)
qlr_gzip(${CMAKE_CURRENT_SOURCE_DIR}/data/qlr.1 ${QLR_DOC_DIR}/qlr.1.gz)
add_custom_target(qlr_docs ALL DEPENDS ${QLR_DOC_DIR}/changelog.gz ${QLR_DOC_DIR}/qlr.1.gz)
install(FILES ${QLR_DOC_DIR}/qlr.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QLR_DOC_DIR}/changelog.gz data/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillora)
