# The Debian package (cpack -G DEB): the install rules of CMakeLists.txt laid
# out as Debian lays out its packages. The program goes to /usr/games with
# Debian's other amusements, and the licence is the copyright file, in
# Debian's machine-readable form, beside the changelog.

set(MAZE_MAINTAINER "the maze authors" CACHE STRING
  "The Debian package's maintainer: whoever builds it, as \"Name <address>\"")

# LICENSE's conditions as the body of a copyright file's licence field: each
# line indented by one blank, and a blank line written as " .". The
# conditions follow the copyright line; without one, LICENSE goes whole.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE maze_licence)
string(REGEX REPLACE "^.*\nCopyright[^\n]*\n" "" maze_licence
  "${maze_licence}")
string(STRIP "${maze_licence}" maze_licence)
string(REPLACE "\n\n" "\n.\n" maze_licence "${maze_licence}")
string(REPLACE "\n" "\n " MAZE_LICENCE_TEXT " ${maze_licence}")
configure_file(cmake/debian/copyright.in debian/copyright @ONLY)
# A changelog entry is signed with a name and an address; without one,
# the address is left empty rather than made up.
if(MAZE_MAINTAINER MATCHES "<.*>")
  set(MAZE_SIGNATURE "${MAZE_MAINTAINER}")
else()
  set(MAZE_SIGNATURE "${MAZE_MAINTAINER} <>")
endif()
configure_file(cmake/debian/changelog.in debian/changelog @ONLY)
add_custom_command(OUTPUT debian/changelog.gz
  COMMAND gzip -9nkf changelog
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/debian
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog)
add_custom_target(maze_debian_files ALL DEPENDS debian/changelog.gz)

# Only the package installs these.
install(TARGETS maze RUNTIME DESTINATION games
  COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/debian/copyright
  ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)

# One package of the Debian files and the documentation.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL debian docs)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "${MAZE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MAZE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
