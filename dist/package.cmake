# The Debian package: "cmake --build build --target package" (or "make
# package" with the Makefile generator) writes build/solvane_VERSION_amd64.deb
# from the install rules, installed under /usr. Its dependencies are those of
# the binaries (dpkg-shlibdeps); it needs no maintainer scripts, so removing
# it leaves nothing of it behind. The user's own files (saved legends,
# imported studies, exports) are in the user's folders, never in the package's.

# What Debian asks of every package: the copyright and the changelog in the
# package's documentation folder, the changelog and the manual pages
# compressed with "gzip -9n".
set(SOLVANE_PACKAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/solvane)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog ${CMAKE_BINARY_DIR}/dist/debian/changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/dist/debian/changelog.gz
  COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/dist/debian/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/dist/debian/changelog
  VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/dist/debian/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/dist/debian/changelog.gz
        DESTINATION ${SOLVANE_PACKAGE_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME solvane)
set(CPACK_PACKAGE_VENDOR "Solvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Solvane developers <maintainers@users.noreply.c-seed-67e80980.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the windows and the drawings are made with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tables, maps and charts of housing needs in Brazil")
# Under the summary, the description: a paragraph in English, as Debian's
# tools expect, then the same in Portuguese, the program's language. CPack
# indents each line and turns the empty line into the paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Solvane browses the published tables of a study of housing needs in
Brazil, census year 2000: pick a topic, narrow the territory to a region,
a state, a micro-region, a metropolitan region or chosen municipalities,
group the rows, and see the table, a thematic map or a chart. Tables,
maps and charts export to a spreadsheet, a delimited text file or a
picture, from the window or from a shell (solvane-export).

O Solvane consulta as tabelas publicadas de um estudo das necessidades
habitacionais no Brasil, ano do censo 2000: escolha um tópico, restrinja o
território, agrupe as linhas e veja a tabela, um mapa temático ou um
gráfico; exporte-os para uma planilha, um arquivo de texto ou uma figura.]=])
include(CPack)
