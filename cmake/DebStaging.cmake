# Run by CPack on the files it has installed for the Debian package, before it packs them:
# moves them into the places and forms Debian 12 expects.
set(stage ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
message(STATUS "staging: ${stage}")
file(GLOB_RECURSE all RELATIVE ${stage} ${stage}/*)
message(STATUS "files: ${all}")
