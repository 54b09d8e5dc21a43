# Runs at install time: the launcher goes to <prefix>/share/applications and the
# session autostart entry to the system configuration folder, /etc/xdg/autostart for
# the /usr prefix (the package) and <prefix>/etc/xdg/autostart for any other, so a
# private prefix never writes into /etc. Both start the installed program by its
# absolute path: KWin grants a program the restricted Wayland interfaces its desktop
# file lists only when that file's Exec names the program's own path. Decided at
# install time so that "cmake --install --prefix" is honoured.
# Expects QLR_LAUNCHER_ENTRY and QLR_AUTOSTART_ENTRY (the files), QLR_ENTRY_NAME, the
# work folder QLR_ENTRY_WORK_DIR and the relative folders QLR_BIN_SUBDIR,
# QLR_DATA_SUBDIR and QLR_SYSCONF_SUBDIR.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(qlr_autostart_dir /etc/xdg/autostart)
else()
    set(qlr_autostart_dir "${CMAKE_INSTALL_PREFIX}/${QLR_SYSCONF_SUBDIR}/xdg/autostart")
endif()
set(qlr_program "${CMAKE_INSTALL_PREFIX}/${QLR_BIN_SUBDIR}/qlr")

foreach(entry launcher autostart)
    if(entry STREQUAL launcher)
        set(source "${QLR_LAUNCHER_ENTRY}")
        set(destination "${CMAKE_INSTALL_PREFIX}/${QLR_DATA_SUBDIR}/applications")
    else()
        set(source "${QLR_AUTOSTART_ENTRY}")
        set(destination "${qlr_autostart_dir}")
    endif()
    file(READ "${source}" text)
    string(REGEX REPLACE "\nExec=qlr" "\nExec=${qlr_program}" text "${text}")
    file(MAKE_DIRECTORY "${QLR_ENTRY_WORK_DIR}/${entry}")
    file(WRITE "${QLR_ENTRY_WORK_DIR}/${entry}/${QLR_ENTRY_NAME}" "${text}")
    file(INSTALL DESTINATION "${destination}" TYPE FILE FILES "${QLR_ENTRY_WORK_DIR}/${entry}/${QLR_ENTRY_NAME}")
endforeach()
