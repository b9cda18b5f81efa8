# DebPackage.cmake: the Debian package "vandrel": its compressed manual pages, copyright and changelog, and cpack -G DEB's settings.
set(deb_package vandrel)
set(deb_documents ${CMAKE_CURRENT_BINARY_DIR}/deb)

# The changelog's latest entry names the version the package carries; a
# release that raises the project's version adds an entry first.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog deb_latest LIMIT_COUNT 1)
if(NOT deb_latest MATCHES "^${deb_package} \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog begins \"${deb_latest}\": "
                      "add an entry for ${deb_package} (${PROJECT_VERSION}) first")
endif()

# Debian keeps manual pages and changelogs gzipped at the highest level,
# without the file's name and time stamp, so that the same sources give the
# same package.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed)
foreach(source IN LISTS VANDREL_MANUAL_PAGES ITEMS debian/changelog)
  cmake_path(GET source FILENAME name)
  set(target ${deb_documents}/${name}.gz)
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${source} ${deb_documents}/${name}
    COMMAND ${GZIP_PROGRAM} -9nf ${deb_documents}/${name}
    DEPENDS ${source} VERBATIM)
  list(APPEND compressed ${target})
endforeach()
add_custom_target(deb_documents ALL DEPENDS ${compressed})

foreach(page IN LISTS VANDREL_MANUAL_PAGES)
  string(REGEX MATCH "[0-9]$" section ${page})
  install(FILES ${deb_documents}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
# A package whose version has no Debian revision is a native one: its
# changelog is changelog.gz, not changelog.Debian.gz.
install(FILES debian/copyright ${deb_documents}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${deb_package})

set(VANDREL_DEB_MAINTAINER "Vandrel developers <developers@vandrel.invalid>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${deb_package})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # vandrel_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VANDREL_DEB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link come from dpkg-shlibdeps, with the versions
# the build saw.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# No library links a font: without a Japanese one the whole interface shows
# empty boxes, yet any Japanese font will do (fonts-japanese-gothic is what
# each of them provides), and a player who has another font set up should
# not be forced to take this one. Qt's own translations put its dialogs into
# Japanese; without them they are in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-japanese-gothic, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lattice-path folding puzzle with a Japanese interface")
set(CPACK_PACKAGE_DESCRIPTION
"ソラドミ is a puzzle for one player. A lattice path starts at the origin and
walks one unit at a time up, down, left or right, never visiting a point
twice. Pick a point of the path and turn the part after it a quarter turn,
or mirror it in the horizontal or vertical line through the point; a move
that would make the path meet itself is refused. Fold the whole path
straight onto the positive x axis as fast as you can.

The game keeps a best time per problem, draws new problems with the mouse,
makes random ones of three difficulties, and shows hints and the fewest
moves. The tool vandrel-cli checks, solves and generates problems without
a window.")
include(CPack)
