# The Debian package (make deb): what cmake --install puts under a prefix, plus the copyright
# file, the changelog and the software-centre entry, with dependencies read off the binaries.
set(fw_package_dir ${CMAKE_SOURCE_DIR}/resources/package)
set(fw_appstream_id org.example.facetwright.Facetwright)

configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/facetwright.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/package/${fw_appstream_id}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/${fw_appstream_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Debian wants the changelog compressed reproducibly (no name, no time stamp).
configure_file(${fw_package_dir}/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
find_program(FW_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
  COMMAND ${FW_GZIP} -9nkf ${CMAKE_BINARY_DIR}/package/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog
  COMMENT "Compressing the changelog")
add_custom_target(facetwright-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
set(fw_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/facetwright)
install(FILES ${fw_package_dir}/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
        DESTINATION ${fw_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME facetwright)
set(CPACK_PACKAGE_VENDOR "Facetwright team")
set(CPACK_PACKAGE_CONTACT "Facetwright team <team@facetwright.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for low-polygon 3D models")
set(CPACK_PACKAGE_DESCRIPTION
    "Facetwright edits low-polygon 3D models such as game assets in four views\n(Front, Left, Top, 3D): pick vertices, drag, rotate, scale, extend and\nsubdivide them, edit materials with a live preview, and undo every change.\nIt saves its own text format and reads and writes OBJ. The package also\nholds facetwright-tool, which converts, inspects and renders models from\nthe command line and draws thumbnails for file managers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://facetwright.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Folders 0755 and files 0644 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
include(CPack)
