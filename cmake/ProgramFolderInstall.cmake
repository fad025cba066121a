# `cmake --install` lays out the program folder at the install prefix (default ~/Almavest):
# the executable and the user guide Guida.pdf, each replaced through a temporary copy and a
# rename, and the initial password file only when the folder has none. Nothing else in the
# folder is ever written or deleted.
# The desktop entry and the icon go to ALMAVEST_DESKTOP_DATA_DIR (share/applications and
# share/icons there). The default, USER, is the menu of whoever runs the install, found when the
# install runs ($XDG_DATA_HOME, else ~/.local/share), not of whoever configured the build; empty
# leaves them out.
set(ALMAVEST_DESKTOP_DATA_DIR "USER" CACHE STRING
    "Where the desktop entry and icon are installed: USER (the installing user's menu), a folder (absolute, or relative to the prefix), or empty for none")

install(CODE "
set(ALMAVEST_EXECUTABLE \"$<TARGET_FILE:almavest>\")
set(ALMAVEST_INITIAL_PASSWORD_FILE \"${ALMAVEST_INITIAL_PASSWORD_FILE}\")
set(ALMAVEST_GUIDE_PDF \"${ALMAVEST_GUIDE_PDF}\")
set(ALMAVEST_DESKTOP_DATA_DIR \"${ALMAVEST_DESKTOP_DATA_DIR}\")
set(ALMAVEST_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/resources/desktop/almavest.desktop.in\")
set(ALMAVEST_BUILD_DIR \"${CMAKE_BINARY_DIR}\")
set(ALMAVEST_ICON \"${PROJECT_SOURCE_DIR}/resources/pictures/app-icon.svg\")
include(\"${PROJECT_SOURCE_DIR}/cmake/InstallProgramFolder.cmake\")
")
