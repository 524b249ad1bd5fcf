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

include(${CMAKE_CURRENT_LIST_DIR}/release-zip.cmake)
lumo_release_zip(${LUMO_PACKAGE_NAME})
include(CPack)
