#!/usr/bin/env bash
# Sets Almavest up on a Debian 12 machine and then either starts it or runs every test.
#   scripts/almavest.sh run [FOLDER]  install what is missing, build, assemble or refresh the
#                                     program folder (default ~/Almavest) and start it there
#   scripts/almavest.sh test          the same set-up, then every test headless through CTest,
#                                     the formatter check, the core tests under AddressSanitizer
#                                     and UndefinedBehaviorSanitizer, and every fuzz target
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ALMAVEST_BUILD_DIR:-$root/build}
jobs=$(nproc)

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n libqt6svg6
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    fonts-liberation2 fonts-dejavu-core
)
case "$mode" in
run) packages+=(xdg-utils) ;;
test) packages+=(clang clang-format libclang-rt-14-dev) ;;
*)
    echo "usage: $0 run [FOLDER] | test" >&2
    exit 2
    ;;
esac

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
    cmake --build "$build" -j "$jobs"
}

# The core library and its tests once more, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer, then every fuzz target over its seed corpus for a few seconds.
sanitizer_checks() {
    local asan=${ALMAVEST_ASAN_BUILD_DIR:-$root/build-asan}
    local flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    CC=clang CXX=clang++ cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DALMAVEST_WERROR=ON -DALMAVEST_CORE_ONLY=ON -DALMAVEST_FUZZ=ON \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
    cmake --build "$asan" -j "$jobs"
    export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    (cd "$asan" && ctest --output-on-failure -j "$jobs")
    bash "$root/scripts/run-fuzzers.sh" "$asan/fuzz" "$root/fuzz/corpus" "${ALMAVEST_FUZZ_SECONDS:-10}"
}

install_missing

case "$mode" in
run)
    folder=${2:-$HOME/Almavest}
    build_all
    # Lays out or refreshes the program folder: the executable is replaced, the password file
    # is written only when missing, and no data file there is touched.
    cmake --install "$build" --prefix "$folder"
    cd "$folder"
    exec "$folder/Almavest"
    ;;
test)
    bash "$root/scripts/check-format.sh"
    build_all
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
    sanitizer_checks
    ;;
esac
