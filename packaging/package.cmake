# The release zip, included at the end of the top-level CMakeLists.txt for Windows builds:
#
#   cmake --build --preset windows --target package
#
# makes Lumo-II-<version>-win64.zip in the build folder, holding one folder of the same name.
# tests/package/check-package.sh builds it twice and checks it.

set(LUMO_PACKAGE_NAME "Lumo-II-${PROJECT_VERSION}-win64")

# Text files for Windows users: CRLF line ends, whatever the checkout has.
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${CMAKE_BINARY_DIR}/packaging/README.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_CURRENT_LIST_DIR}/VEXO-sample.INI ${CMAKE_BINARY_DIR}/packaging/VEXO-sample.INI
               @ONLY NEWLINE_STYLE CRLF)
# The list of changes, named for Notepad.
configure_file(${PROJECT_SOURCE_DIR}/CHANGES.md ${CMAKE_BINARY_DIR}/packaging/CHANGES.txt
               @ONLY NEWLINE_STYLE CRLF)

# What the zip holds: the install component "release", all in one folder (cmake --install puts
# the rest, lumo in bin/ among it, where a system wants it). install() sets the permissions
# itself (programs 755, files 644), so the archive does not depend on the umask of the machine
# that builds it.
install(TARGETS vexo RUNTIME DESTINATION . COMPONENT release)
install(FILES ${CMAKE_BINARY_DIR}/packaging/README.txt ${CMAKE_BINARY_DIR}/packaging/CHANGES.txt
              ${CMAKE_BINARY_DIR}/packaging/VEXO-sample.INI
        DESTINATION . COMPONENT release)
# The project has no licence text yet; when it gets one, it goes here:
#   install(FILES ${PROJECT_SOURCE_DIR}/LICENSE.txt DESTINATION .)

# lumo.exe, the command-line calculator, ships beside vexo.exe.
lumo_release_program(lumo)
install(TARGETS lumo RUNTIME DESTINATION . COMPONENT release)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "Lumo II")
set(CPACK_PACKAGE_VENDOR "Lumo Software Works")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${LUMO_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Build folder, project, component, folder in the archive: only the release component.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};release;/")
# Same commit, same bytes: the members' time stamps come from the commit, and their order is
# the order of their names.
configure_file(${CMAKE_CURRENT_LIST_DIR}/cpack-options.cmake.in
               ${CMAKE_BINARY_DIR}/packaging/cpack-options.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/cpack-options.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/sort-zip.cmake)
include(CPack)
