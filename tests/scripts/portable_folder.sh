#!/usr/bin/env bash
# The program folder outside the build tree keeps the user's data through refreshes, rebuilds
# and a deleted build tree; `cmake --install` lays it out and writes the password file only
# when it is missing.
#   portable_folder.sh BUILD_DIR SOURCE_DIR MKPASSWORD
set -euo pipefail
build=$1
source=$2
mkpassword=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# DESTDIR keeps the desktop entry and the icon out of the real menu as well.
export DESTDIR=$scratch/root
folder=$DESTDIR/Almavest

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

assemble() {
    cmake --install "$build" --prefix /Almavest >"$scratch/install.log" 2>&1 ||
        fail "cmake --install failed: $(cat "$scratch/install.log")"
}

rebuild() {
    cmake --build "$build" --target almavest almavest_password_file almavest_user_guide >"$scratch/build.log" 2>&1 ||
        fail "rebuild failed: $(cat "$scratch/build.log")"
}

data_files=(Soci.pro 2024.eur Soci_2023.lib Libro_Soci.ini Schedario/Socio_1.jpg
    Documenti_Allegati/ricevuta.pdf)

checksums() {
    (cd "$folder" && sha256sum "${data_files[@]}" unins000.dll)
}

# A fresh folder: the executable, the initial password file, the menu entry and its icon.
assemble
[ -x "$folder/Almavest" ] || fail "no executable in the program folder"
cmp -s "$folder/Guida.pdf" "$build/guide/Guida.pdf" || fail "no user guide in the program folder"
cmp -s "$folder/unins000.dll" "$build/initial/unins000.dll" || fail "initial password file"
entry=$(find "$DESTDIR" -path '*/share/applications/almavest.desktop' -print -quit)
[ -n "$entry" ] || fail "no desktop entry"
grep -qx 'Exec="/Almavest/Almavest"' "$entry" || fail "desktop entry runs: $(grep Exec "$entry")"
grep -qx 'Icon=almavest' "$entry" || fail "desktop entry icon"
[ -f "$(dirname "$(dirname "$entry")")/icons/hicolor/scalable/apps/almavest.svg" ] ||
    fail "no icon beside the desktop entry"
! grep -q 'unins000.dll' "$build/install_manifest.txt" ||
    fail "the password file is in the install manifest, an uninstall would delete it"
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
case "$(realpath -m "$prefix")/" in
"$(realpath "$build")"/*) fail "the default program folder $prefix lies in the build tree" ;;
esac

# The user changes the password and keeps cards, books, a journal, photos and attachments.
"$mkpassword" "$folder/unins000.dll" NUOVA || fail "cannot change the password"
mkdir -p "$folder/Schedario" "$folder/Documenti_Allegati"
cp "$source/tests/data/members.pro" "$folder/Soci.pro"
cp "$source/tests/data/settings.ini" "$folder/Libro_Soci.ini"
for f in 2024.eur Soci_2023.lib Schedario/Socio_1.jpg Documenti_Allegati/ricevuta.pdf; do
    printf 'dati di %s\n' "$f" >"$folder/$f"
done
checksums >"$scratch/before"

# A rebuild that writes the initial password file and relinks the program, then a run.
ln "$folder/Almavest" "$scratch/running"
cp "$folder/Almavest" "$scratch/running.copy"
rm -f "$build/initial/unins000.dll" "$build/bin/Almavest"
rebuild
assemble
checksums | cmp -s - "$scratch/before" || fail "a refresh after a rebuild changed the data"
cmp -s "$scratch/running" "$scratch/running.copy" ||
    fail "the executable was rewritten in place; a running copy would break"
[ "$(stat -c %i "$folder/Almavest")" != "$(stat -c %i "$scratch/running")" ] ||
    fail "the executable was not replaced"
cmp -s "$folder/Almavest" "$build/bin/Almavest" || fail "the executable was not refreshed"
leftovers=$(find "$folder" -name '.*.new')
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"

# The build tree's copies deleted, built again and assembled: every file still there.
rm -rf "$build/bin" "$build/initial" "$build/guide"
rebuild
assemble
checksums | cmp -s - "$scratch/before" || fail "a new build tree changed the data"

# A folder that has lost its password file gets the initial one again, and nothing else moves.
rm "$folder/unins000.dll"
assemble
cmp -s "$folder/unins000.dll" "$build/initial/unins000.dll" || fail "missing password file not written"
(cd "$folder" && sha256sum "${data_files[@]}") | cmp -s - <(head -n ${#data_files[@]} "$scratch/before") ||
    fail "writing the password file touched the data"
# The menu entry goes to the menu of whoever installs, found when the install runs, not of
# whoever configured the build: here the install runs with other homes than the configure had.
[ "$(sed -n 's/^ALMAVEST_DESKTOP_DATA_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")" = USER ] ||
    fail "the build tree was configured with another ALMAVEST_DESKTOP_DATA_DIR than USER"
installer=$scratch/installer
for xdg in "" "$scratch/xdg"; do
    rm -rf "$installer" "$scratch/xdg"
    mkdir -p "$installer"
    HOME=$installer XDG_DATA_HOME=$xdg DESTDIR='' cmake --install "$build" --prefix "$scratch/other" \
        >"$scratch/install.log" 2>&1 || fail "cmake --install failed: $(cat "$scratch/install.log")"
    data=${xdg:-$installer/.local/share}
    grep -qx "Exec=\"$scratch/other/Almavest\"" "$data/applications/almavest.desktop" ||
        fail "no desktop entry in the installing user's menu $data: $(cat "$scratch/install.log")"
    [ -f "$data/icons/hicolor/scalable/apps/almavest.svg" ] || fail "no icon in $data"
    if grep -F "$HOME/" "$scratch/install.log" | grep -v "^-- Installing: $scratch/" >&2; then
        fail "the install wrote into the home of whoever configured the build"
    fi
done
echo "program folder: data kept through refreshes, rebuilds and a new build tree"
