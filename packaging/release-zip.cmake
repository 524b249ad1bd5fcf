# The release zips' CPack set-up, shared by the Windows zip (package.cmake) and the page's zip
# (web-package.cmake): lumo_release_zip(NAME) makes NAME.zip in the build folder from the
# install component "release", all in one folder of the same name.
function(lumo_release_zip name)
  set(CPACK_GENERATOR ZIP PARENT_SCOPE)
  set(CPACK_PACKAGE_NAME "Lumo II" PARENT_SCOPE)
  set(CPACK_PACKAGE_VENDOR "Lumo Software Works" PARENT_SCOPE)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION} PARENT_SCOPE)
  set(CPACK_PACKAGE_FILE_NAME ${name} PARENT_SCOPE)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON PARENT_SCOPE)
  # Build folder, project, component, folder in the archive: only the release component.
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};release;/" PARENT_SCOPE)
  # Same commit, same bytes: the members' time stamps come from the commit, and their order is
  # the order of their names.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/cpack-options.cmake.in
                 ${CMAKE_BINARY_DIR}/packaging/cpack-options.cmake @ONLY)
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/cpack-options.cmake PARENT_SCOPE)
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/sort-zip.cmake PARENT_SCOPE)
endfunction()
