# The Debian package (cpack -G DEB): everything `cmake --install` lays out,
# under /usr, with the documentation files Debian requires and the library
# dependencies computed by dpkg-shlibdeps.

# Debian's documentation: the copyright file as it is, the changelog and the
# manual page compressed reproducibly (gzip -n: no name, no time).
set(MIRTALA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/mirtala)
set(resources ${PROJECT_SOURCE_DIR}/editor/app/resources)
foreach(pair "mirtala.1:mirtala.1.gz" "mirtala-regsvr.1:mirtala-regsvr.1.gz" "mirtala-regset.1:mirtala-regset.1.gz"
             "debian-changelog:changelog.gz")
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND gzip -9n -c ${resources}/${source} > ${CMAKE_BINARY_DIR}/packaging/${target}
    DEPENDS ${resources}/${source}
    COMMENT "Compressing ${source}")
  list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${target})
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/packaging/mirtala.1.gz ${CMAKE_BINARY_DIR}/packaging/mirtala-regsvr.1.gz
              ${CMAKE_BINARY_DIR}/packaging/mirtala-regset.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# A native package (no Debian revision) keeps its changelog as changelog.gz.
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${MIRTALA_DOC_DIR})
install(FILES ${resources}/debian-copyright DESTINATION ${MIRTALA_DOC_DIR} RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirtala)
set(CPACK_PACKAGE_VERSION 0.1.0)
set(CPACK_PACKAGE_VENDOR "Vantrelle Technology")
set(CPACK_PACKAGE_CONTACT "Vantrelle Technology <mirtala@vantrelle.example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the pose and gait genes of creature genome files")
set(CPACK_PACKAGE_DESCRIPTION "Mirtala edits the pose genes and gait genes of creature genome files:
a pose body part by body part while a picture shows the creature in it, a
gait as a sequence of poses that the picture animates walking along a sloped
floor. Every change can be undone. The package holds the editor, its
picture control Zubrelle, the tools that register it, the user guide and a
demo creature to draw before any host product is installed.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# No Homepage field: the project has no web home yet.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The private control module is no library of the system: its folder is searched too.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/control/activex)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
