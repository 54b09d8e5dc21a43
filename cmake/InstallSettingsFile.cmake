# Runs at install time: writes the shipped settings file into the installed data
# folder with the address of the installed service page. Install time, not
# configure time, so that "cmake --install --prefix" gets its own prefix.
# Expects QLR_INI_TEMPLATE, QLR_WRITE_SCRIPT and QLR_DATA_SUBDIR.
set(qlr_data "${CMAKE_INSTALL_PREFIX}/${QLR_DATA_SUBDIR}")
set(qlr_ini "$ENV{DESTDIR}${qlr_data}/qlr.ini")
message(STATUS "Installing: ${qlr_ini}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${qlr_data}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" "-DIN=${QLR_INI_TEMPLATE}" "-DOUT=${qlr_ini}"
            "-DSERVICE_URL=file://${qlr_data}/page/index.html" -P "${QLR_WRITE_SCRIPT}"
    RESULT_VARIABLE qlr_rc)
if(NOT qlr_rc EQUAL 0)
    message(FATAL_ERROR "could not write ${qlr_ini}")
endif()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${qlr_ini}")
