# Install-time half of ProgramFolderInstall.cmake: writes the program folder at the prefix.
# Expects ALMAVEST_EXECUTABLE, ALMAVEST_INITIAL_PASSWORD_FILE, ALMAVEST_GUIDE_PDF,
# ALMAVEST_DESKTOP_DATA_DIR, ALMAVEST_DESKTOP_TEMPLATE, ALMAVEST_ICON and ALMAVEST_BUILD_DIR.

# Copies `from` beside `to` under a temporary name and renames it over `to`: a copy of the
# program that is running keeps its own file, and nobody ever sees a half-written one.
# With NO_REPLACE an existing `to` is left exactly as it is.
function(almavest_place from to)
    cmake_parse_arguments(P "NO_REPLACE;EXECUTABLE" "" "" ${ARGN})
    get_filename_component(name "${to}" NAME)
    get_filename_component(dir "${to}" DIRECTORY)
    set(temp "${dir}/.${name}.new")
    file(REMOVE "${temp}")
    file(COPY_FILE "${from}" "${temp}")
    if(P_EXECUTABLE)
        file(CHMOD "${temp}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
             GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    else()
        file(CHMOD "${temp}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
    if(P_NO_REPLACE)
        file(RENAME "${temp}" "${to}" RESULT result NO_REPLACE)
        file(REMOVE "${temp}")
        if(result STREQUAL "0")
            message(STATUS "Installing: ${to}")
        elseif(EXISTS "${to}" OR IS_SYMLINK "${to}")
            message(STATUS "Kept as it is: ${to}")
        else()
            message(FATAL_ERROR "Cannot write ${to}: ${result}")
        endif()
    else()
        file(RENAME "${temp}" "${to}")
        message(STATUS "Installing: ${to}")
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${to}")
        set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
    endif()
endfunction()

set(_folder "${CMAKE_INSTALL_PREFIX}")
set(_target "$ENV{DESTDIR}${_folder}")
file(MAKE_DIRECTORY "${_target}")

almavest_place("${ALMAVEST_EXECUTABLE}" "${_target}/Almavest" EXECUTABLE)
# The user guide is the program's own file, replaced with each install like the executable.
almavest_place("${ALMAVEST_GUIDE_PDF}" "${_target}/Guida.pdf")
# The password file holds the user's password once changed: written only when missing, and
# never listed in the install manifest, so that an uninstall by manifest leaves it alone.
almavest_place("${ALMAVEST_INITIAL_PASSWORD_FILE}" "${_target}/unins000.dll" NO_REPLACE)

# USER is the menu of the person installing now, who may not be the one who configured the build.
set(_data "${ALMAVEST_DESKTOP_DATA_DIR}")
if(_data STREQUAL "USER")
    if(NOT "$ENV{XDG_DATA_HOME}" STREQUAL "")
        set(_data "$ENV{XDG_DATA_HOME}")
    elseif(NOT "$ENV{HOME}" STREQUAL "")
        set(_data "$ENV{HOME}/.local/share")
    else()
        message(FATAL_ERROR "Neither XDG_DATA_HOME nor HOME is set: nowhere to put the desktop entry; "
            "configure with -DALMAVEST_DESKTOP_DATA_DIR=FOLDER, or empty to leave it out")
    endif()
endif()
if(NOT _data STREQUAL "")
    if(NOT IS_ABSOLUTE "${_data}")
        set(_data "${_folder}/${_data}")
    endif()
    # The entry names the folder as it will be seen once installed, without DESTDIR.
    set(ALMAVEST_FOLDER "${_folder}")
    set(ALMAVEST_DESKTOP_EXEC "${_folder}/Almavest")
    set(_entry "${ALMAVEST_BUILD_DIR}/almavest.desktop")
    configure_file("${ALMAVEST_DESKTOP_TEMPLATE}" "${_entry}" @ONLY)
    file(MAKE_DIRECTORY "$ENV{DESTDIR}${_data}/applications"
         "$ENV{DESTDIR}${_data}/icons/hicolor/scalable/apps")
    almavest_place("${_entry}" "$ENV{DESTDIR}${_data}/applications/almavest.desktop")
    almavest_place("${ALMAVEST_ICON}" "$ENV{DESTDIR}${_data}/icons/hicolor/scalable/apps/almavest.svg")
endif()
