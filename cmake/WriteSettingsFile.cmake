cmake_minimum_required(VERSION 3.25)
# Converts the diffable settings template (UTF-8, LF) into the shipped form:
# UTF-16LE without byte-order mark, CR LF line ends, @SERVICE_URL@ filled in.
file(READ "${IN}" text)
string(REPLACE "@SERVICE_URL@" "${SERVICE_URL}" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}.utf8" "${text}")
execute_process(COMMAND iconv -f UTF-8 -t UTF-16LE "${OUT}.utf8"
    OUTPUT_FILE "${OUT}" RESULT_VARIABLE rc)
file(REMOVE "${OUT}.utf8")
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not write ${OUT}")
endif()
