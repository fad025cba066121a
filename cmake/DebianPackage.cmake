# `cpack -G DEB` in the build directory makes almavest_<version>_amd64.deb: the program in
# /usr/lib/almavest (started as /usr/bin/almavest), the user guide in /usr/share/doc/almavest,
# the desktop entry and the icon in the system's menu. The installed program cannot write beside
# itself and so works on ~/Almavest, made on first start with the initial password file.
# Its files form the component "package", left out of a plain `cmake --install`, which still
# lays out a portable program folder (ProgramFolderInstall.cmake).
set(_package_stage ${CMAKE_BINARY_DIR}/package)
set(_package_lib lib/almavest)

install(TARGETS almavest RUNTIME DESTINATION ${_package_lib}
    COMPONENT package EXCLUDE_FROM_ALL)
install(FILES ${ALMAVEST_INITIAL_PASSWORD_FILE} DESTINATION ${_package_lib}
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
    COMPONENT package EXCLUDE_FROM_ALL)
install(FILES ${ALMAVEST_GUIDE_PDF} DESTINATION share/doc/almavest
    COMPONENT package EXCLUDE_FROM_ALL)

# The program opens its guide beside itself, and is started by the name users type.
file(MAKE_DIRECTORY ${_package_stage})
file(CREATE_LINK ../lib/almavest/Almavest ${_package_stage}/almavest SYMBOLIC)
file(CREATE_LINK ../../share/doc/almavest/Guida.pdf ${_package_stage}/Guida.pdf SYMBOLIC)
install(FILES ${_package_stage}/almavest DESTINATION bin COMPONENT package EXCLUDE_FROM_ALL)
install(FILES ${_package_stage}/Guida.pdf DESTINATION ${_package_lib}
    COMPONENT package EXCLUDE_FROM_ALL)

set(ALMAVEST_DESKTOP_EXEC almavest)
set(ALMAVEST_FOLDER /usr/${_package_lib})
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/almavest.desktop.in
    ${_package_stage}/almavest.desktop @ONLY)
install(FILES ${_package_stage}/almavest.desktop DESTINATION share/applications
    COMPONENT package EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/resources/pictures/app-icon.svg
    DESTINATION share/icons/hicolor/scalable/apps RENAME almavest.svg
    COMPONENT package EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME almavest)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Almavest")
set(CPACK_PACKAGE_CONTACT "Almavest <info@almavest.it>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Soci, libro soci, primanota e bilancio di un'associazione")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
# Only the package's own files, all in one package named without a component.
set(CPACK_COMPONENTS_ALL package)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.almavest.it")
# The libraries the executable links come from dpkg-shlibdeps; what Qt loads at run time is
# named here: the SVG pictures, the camera's GStreamer plugins, the Italian standard buttons,
# the fonts the screens and prints ask for, and the desktop shell's "open".
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-translations-l10n, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-liberation2, fonts-dejavu-core, xdg-utils")
include(CPack)
