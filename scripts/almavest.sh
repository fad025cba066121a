#!/usr/bin/env bash
# Sets Almavest up on a Debian 12 machine and then either starts it or runs every test.
#   scripts/almavest.sh run    install what is missing, build, assemble build/Almavest and start it
#   scripts/almavest.sh test   the same set-up, then every test headless through CTest
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ALMAVEST_BUILD_DIR:-$root/build}

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n libqt6svg6
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    fonts-liberation2 fonts-dejavu-core
)
if [ "$mode" = run ]; then
    packages+=(xdg-utils)
fi

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_all() {
    local werror=OFF
    [ "${CI:-}" = true ] && werror=ON
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DALMAVEST_WERROR=$werror
    cmake --build "$build" -j "$(nproc)"
}

install_missing
build_all

case "$mode" in
run)
    exec "$build/Almavest/Almavest"
    ;;
test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
