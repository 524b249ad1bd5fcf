# Run by cpack once the zip is made (CPACK_POST_BUILD_SCRIPTS): writes the zip again with its
# members in name order. CPack adds them in the order the file system lists the staging folder,
# which differs between machines. The time stamps stay those of SOURCE_DATE_EPOCH, which
# cpack-options.cmake has set in this process's environment.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(GLOB_RECURSE members LIST_DIRECTORIES false RELATIVE "${CPACK_TOPLEVEL_DIRECTORY}"
       "${CPACK_TEMPORARY_DIRECTORY}/*")
  list(SORT members)
  file(REMOVE "${package}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${package}" --format=zip -- ${members}
                  WORKING_DIRECTORY "${CPACK_TOPLEVEL_DIRECTORY}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not write ${package} again (${result})")
  endif()
endforeach()
