# Run by CPack on the files it has installed for the Debian package, before it packs them:
# puts them where and in the form Debian 12 expects.
set(stage ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
set(doc ${stage}/usr/share/doc/${CPACK_PACKAGE_NAME})

# udev rules: Debian 12's packages ship them in /lib/udev/rules.d, wherever the install
# put them below the prefix.
file(GLOB rules ${stage}/usr/lib/udev/rules.d/*.rules)
if(rules)
  file(MAKE_DIRECTORY ${stage}/lib/udev/rules.d)
  foreach(rule ${rules})
    get_filename_component(name ${rule} NAME)
    file(RENAME ${rule} ${stage}/lib/udev/rules.d/${name})
  endforeach()
  file(REMOVE_RECURSE ${stage}/usr/lib/udev)
  file(GLOB left ${stage}/usr/lib/*)
  if(NOT left)
    file(REMOVE_RECURSE ${stage}/usr/lib)
  endif()
endif()

# A changelog for the one version the package holds (a native package's changelog.gz).
execute_process(COMMAND date -u -R -d "${CPACK_OXI_RELEASE_DATE}"
                OUTPUT_VARIABLE released OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${doc}/changelog
     "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n\n"
     "  * Release ${CPACK_PACKAGE_VERSION}.\n\n"
     " -- ${CPACK_PACKAGE_CONTACT}  ${released}\n")

# Manual pages and the changelog compressed, without a time stamp in the gzip header.
file(GLOB pages ${stage}/usr/share/man/man*/*)
foreach(file ${pages} ${doc}/changelog)
  execute_process(COMMAND gzip -9nf ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# The programs stripped as Debian's own tools strip them, compiler notes included.
file(GLOB programs ${stage}/usr/bin/*)
foreach(program ${programs})
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note
                          --strip-unneeded ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
