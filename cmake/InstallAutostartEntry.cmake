# Runs at install time: the session autostart entry goes to the system configuration
# folder, /etc/xdg/autostart for the /usr prefix (the package) and
# <prefix>/etc/xdg/autostart for any other, so a private prefix never writes into
# /etc. Decided at install time so that "cmake --install --prefix" is honoured.
# Expects QLR_AUTOSTART_ENTRY (the file), QLR_AUTOSTART_NAME and QLR_SYSCONF_SUBDIR.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(qlr_autostart_dir /etc/xdg/autostart)
else()
    set(qlr_autostart_dir "${CMAKE_INSTALL_PREFIX}/${QLR_SYSCONF_SUBDIR}/xdg/autostart")
endif()
file(INSTALL DESTINATION "${qlr_autostart_dir}" TYPE FILE RENAME "${QLR_AUTOSTART_NAME}"
     FILES "${QLR_AUTOSTART_ENTRY}")
