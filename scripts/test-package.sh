#!/usr/bin/env bash
# Builds the Debian package and tries it as a user would get it: its dependencies are checked,
# it is unpacked into a folder nobody may write into, and the program there is started offscreen
# with an empty home, logs in and saves a card, which must land in that home's "Almavest".
#   scripts/test-package.sh BUILD_DIR
# The program is driven by a small library preloaded into it (tests/package/PackageDriver.cpp),
# so what runs is the unpacked executable itself. Run as root, the program runs as "nobody",
# since root may write into any folder.
set -euo pipefail
build=$(realpath "${1:?usage: $0 BUILD_DIR}")

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"

cmake --build "$build" --target almavest almavest_password_file almavest_user_guide \
    almavest_package_driver >"$scratch/build.log" 2>&1 || fail "build failed: $(tail -n 30 "$scratch/build.log")"
(cd "$build" && cpack -G DEB) >"$scratch/cpack.log" 2>&1 || fail "cpack failed: $(cat "$scratch/cpack.log")"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/packages/almavest_${version}_amd64.deb
[ -f "$deb" ] || fail "no package $deb"

# The libraries the program links and what Qt loads at run time must be named.
depends=$(dpkg-deb -f "$deb" Depends)
names=" $(sed -E 's/ \([^)]*\)//g; s/,/ /g' <<<"$depends") "
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6multimedia6 \
    libqt6svg6 libc6 libstdc++6 qt6-translations-l10n fonts-liberation2 \
    gstreamer1.0-plugins-good xdg-utils libzip4 libdeflate0 zlib1g; do
    [[ "$names" == *" $needed "* ]] || fail "the package does not depend on $needed: $depends"
done
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "not an amd64 package"
dpkg-deb -I "$deb" >/dev/null || fail "dpkg-deb cannot read the package"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/almavest usr/lib/almavest/Almavest usr/lib/almavest/unins000.dll \
    usr/share/doc/almavest/Guida.pdf usr/share/applications/almavest.desktop \
    usr/share/icons/hicolor/scalable/apps/almavest.svg; do
    [ -e "$root/$file" ] || fail "the package lacks /$file"
done
file -L "$root/usr/bin/almavest" | grep -q 'ELF 64-bit.*x86-64' || fail "/usr/bin/almavest is not the program"
chmod -R a-w "$root"

home=$scratch/home
mkdir "$home"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$home"
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
driver=$build/tests/libalmavest_package_driver.so
[ -f "$driver" ] || fail "no driver library $driver"

# Starts the unpacked program on the home $1, writing what happened to $2; its status is $status.
start() {
    status=0
    "${run_as[@]}" env -i PATH=/usr/bin:/bin HOME="$1" QT_QPA_PLATFORM=offscreen \
        LANG=C.UTF-8 LD_PRELOAD="$driver" timeout 120 "$root/usr/bin/almavest" >"$2" 2>&1 || status=$?
    cat "$2"
}

# A home where the data folder cannot be made: told in Italian, and the program ends.
locked=$scratch/locked-home
mkdir "$locked"
chmod 555 "$locked"
start "$locked" "$scratch/locked.log"
[ "$status" -eq 1 ] || fail "a read-only home gave status $status instead of 1"
grep -q "message: Attenzione: non è stato possibile creare la cartella dei dati del programma:" \
    "$scratch/locked.log" || fail "a read-only home was not refused with its message"
[ ! -e "$locked/Almavest" ] || fail "a folder appeared in the read-only home"

start "$home" "$scratch/run.log"
[ "$status" -eq 0 ] || fail "the program ended with status $status"
grep -q "message: La scheda corrente è stata inserita in archivio." "$scratch/run.log" ||
    fail "the card was not reported saved"

data=$home/Almavest
[ -f "$data/unins000.dll" ] || fail "no password file in $data"
cmp -s "$data/unins000.dll" "$root/usr/lib/almavest/unins000.dll" || fail "the password file differs from the shipped one"
[ -f "$data/Soci.pro" ] || fail "no member archive in $data"
grep -q "Pacchetto Prova" "$data/Soci.pro" || fail "the saved card is not in $data/Soci.pro"
if find "$root" -newer "$deb" -not -type d | grep -q .; then
    fail "the program wrote into its own folder"
fi
echo "PASS: $(basename "$deb") installs, starts from a read-only folder and keeps its data in \$HOME/Almavest"
