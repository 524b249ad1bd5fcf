# The Debian package of lumo, included at the end of the top-level CMakeLists.txt for native
# Linux builds:
#
#   cmake --build --preset native --target package
#
# makes lumo_<version>_amd64.deb in the build folder from what `cmake --install` puts under
# /usr: the program, its man page and bash completion, and the copyright and changelog that a
# Debian package carries. tests/package/check-deb.sh checks it.

find_program(GZIP_PROGRAM gzip REQUIRED)

# The changelog's one entry is this version; its date is that of the man page, written once.
file(STRINGS ${PROJECT_SOURCE_DIR}/cli/lumo.1 LUMO_MAN_HEADER REGEX "^\\.TH ")
string(REGEX MATCH "[0-9]+-[0-9]+-[0-9]+" LUMO_MAN_DATE "${LUMO_MAN_HEADER}")
execute_process(COMMAND date -u -R -d "${LUMO_MAN_DATE} 12:00" OUTPUT_VARIABLE LUMO_CHANGELOG_DATE
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)

# Debian wants the documentation compressed, without a time stamp or name in the gzip header.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nkf changelog
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/packaging
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(lumo_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
        DESTINATION share/doc/lumo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumo Software Works")
set(CPACK_PACKAGE_CONTACT "Lumo Software Works <lumo@lumo-software-works.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timecode calculator for film and video post-production")
set(CPACK_PACKAGE_DESCRIPTION
    "lumo is the Lumo II timecode calculator on the command line. It adds,\n"
    "subtracts, multiplies and divides timecodes, feet and frames and frame\n"
    "counts, and converts values between frame rates: 23.976, 24, 25, 29.97\n"
    "drop-frame and non-drop, 30, 50, 59.94, 60 and any other rate below 100\n"
    "frames a second. Values are read exactly, so that scripts get a clear\n"
    "error instead of a wrong answer.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders as Debian has them, whatever the umask of the machine that builds.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
