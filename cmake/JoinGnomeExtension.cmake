# Writes one variant of the GNOME Shell extension: the entry wrapper with the shared
# service body in place of its marker, and the metadata for its Shell versions.
#   cmake -DENTRY=... -DSERVICE=... -DMETADATA=... -DUUID=... -DVERSIONS=43,44 -DOUT=DIR -P JoinGnomeExtension.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${ENTRY} entry)
file(READ ${SERVICE} service)
string(FIND "${entry}" "//@SERVICE@" marker)
if(marker EQUAL -1)
    message(FATAL_ERROR "${ENTRY} has no //@SERVICE@ marker")
endif()
string(REPLACE "//@SERVICE@" "${service}" joined "${entry}")
file(WRITE ${OUT}/extension.js "${joined}")

string(REPLACE "," "\", \"" quoted "${VERSIONS}")
set(QLR_GNOME_EXTENSION_UUID ${UUID})
set(QLR_GNOME_SHELL_VERSIONS "\"${quoted}\"")
configure_file(${METADATA} ${OUT}/metadata.json @ONLY)
