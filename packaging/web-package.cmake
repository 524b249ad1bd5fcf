# The page's release zip, included by the top-level CMakeLists.txt in the web preset:
#
#   cmake --build --preset web --target package
#
# makes Lumo-II-<version>-web.zip in the build folder: one folder of the same name holding the
# page (it opens from file:// as it is) and the sample settings file, which the page's Open
# Settings File reads. tests/package/check-web-package.sh builds it twice and checks it.

set(LUMO_PACKAGE_NAME "Lumo-II-${PROJECT_VERSION}-web")

configure_file(${CMAKE_CURRENT_LIST_DIR}/VEXO-sample.INI ${CMAKE_BINARY_DIR}/packaging/VEXO-sample.INI
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${LUMO_WEB_PAGE_DIR}/index.html ${LUMO_WEB_PAGE_DIR}/help.html ${LUMO_WEB_PAGE_DIR}/lumo.css
              ${LUMO_WEB_PAGE_DIR}/lumo.js ${LUMO_WEB_PAGE_DIR}/lumo-engine.js
              ${CMAKE_BINARY_DIR}/packaging/VEXO-sample.INI
        DESTINATION . COMPONENT release)

include(${CMAKE_CURRENT_LIST_DIR}/release-zip.cmake)
lumo_release_zip(${LUMO_PACKAGE_NAME})
include(CPack)
