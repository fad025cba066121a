#!/usr/bin/env bash
# Sets Almavest up on a Debian 12 machine and then either starts it or runs every test.
#   scripts/almavest.sh run [FOLDER]  install what is missing, build the program with g++,
#                                     assemble or refresh the program folder (default ~/Almavest)
#                                     and start it there
#   scripts/almavest.sh test          the same set-up, then everything built by clang with
#                                     AddressSanitizer and UndefinedBehaviorSanitizer and every
#                                     test run headless through CTest in that build (the core
#                                     alone with ALMAVEST_SANITIZE=core), every fuzz target,
#                                     clang-tidy over src/, the program and the benchmark built
#                                     by g++ with warnings as errors, the Debian package made and
#                                     tried, the formatter check
#   scripts/almavest.sh package       the same set-up, then the Debian package
#                                     build/packages/almavest_<version>_amd64.deb
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
    libsqlite3-dev libzip-dev zlib1g-dev libdeflate-dev
)
case "$mode" in
run) packages+=(xdg-utils) ;;
test) packages+=(clang clang-format clang-tidy libclang-rt-14-dev libreoffice-calc-nogui python3-openpyxl poppler-utils dpkg-dev file unzip) ;;
package) packages+=(dpkg-dev) ;;
*)
    echo "usage: $0 run [FOLDER] | test | package" >&2
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

# The program as the run command builds it, with g++; the test command adds the benchmark, so
# that it compiles, and the library that drives the packaged program, and takes warnings as
# errors in CI.
build_program() {
    local werror=OFF
    [ "${CI:-}" = true ] && werror=ON
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DALMAVEST_WERROR=$werror \
        -DALMAVEST_TESTS=OFF -DALMAVEST_BENCH="$1" -DALMAVEST_PACKAGE_DRIVER="$1"
    cmake --build "$build" -j "$jobs"
}

# Everything and its tests, the screens included, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer and warnings as errors, with the fuzz targets beside them. -O1 with
# line tables only: the reports still name every line, and the build takes half the time of -O2
# with full debug information. ALMAVEST_SANITIZE=core builds and tests only the core library.
asan=${ALMAVEST_ASAN_BUILD_DIR:-$root/build-asan}
build_sanitized() {
    local flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    local core_only=OFF
    [ "${ALMAVEST_SANITIZE:-all}" = core ] && core_only=ON
    CC=clang CXX=clang++ cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
        -DALMAVEST_WERROR=ON -DALMAVEST_CORE_ONLY=$core_only -DALMAVEST_FUZZ=ON -DALMAVEST_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" &&
        cmake --build "$asan" -j "$jobs"
}

# Runs one check, keeps its verdict and carries on, so that one failure hides no other.
results=()
failed=0
check() {
    local name=$1
    shift
    echo "=== $name"
    if "$@"; then
        results+=("passed  $name")
        last=ok
    else
        results+=("FAILED  $name")
        failed=1
        last=failed
    fi
}

# Waits for a check started in the background and shows the end of its log.
wait_for() {
    local status=0
    wait "$1" || status=$?
    tail -n 100 "$2"
    return "$status"
}

ctest_in() {
    local dir=$1 log=$2
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs") | tee "$log"
}

install_missing

case "$mode" in
run)
    folder=$(realpath -m "${2:-$HOME/Almavest}")
    case "$folder/" in
    "$(realpath -m "$build")"/* | "$root"/*)
        echo "The program folder must lie outside the source and build trees: $folder" >&2
        exit 2
        ;;
    esac
    build_program OFF
    # Lays out or refreshes the program folder: the executable is replaced, the password file
    # is written only when missing, and no data file there is touched.
    cmake --install "$build" --prefix "$folder"
    cd "$folder"
    exec "$folder/Almavest"
    ;;
package)
    build_program OFF
    (cd "$build" && cpack -G DEB)
    ;;
test)
    # Qt, fontconfig and GStreamer keep some memory to the end by design; the suppressions name
    # theirs alone, so a leak of our own still fails.
    export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
    export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    check "sanitized build" build_sanitized
    tidy=
    if [ "$last" = ok ]; then
        # clang-tidy reads the compile database of the build above and runs on one core beside
        # the tests, the fuzzers and the g++ build.
        if [ "${ALMAVEST_SANITIZE:-all}" != core ]; then
            (
                SECONDS=0
                status=0
                python3 "$root/scripts/run-clang-tidy.py" "$asan" 1 >"$asan/tidy.log" 2>&1 || status=$?
                echo "clang-tidy took ${SECONDS}s" >>"$asan/tidy.log"
                exit $status
            ) &
            tidy=$!
        fi
        check "all tests, under the sanitizers" ctest_in "$asan" "$asan/ctest.log"
        check "fuzz targets over their corpora" bash "$root/scripts/run-fuzzers.sh" "$asan/fuzz" \
            "$root/fuzz/corpus" "${ALMAVEST_FUZZ_SECONDS:-10}"
    fi
    check "program and benchmark built by g++" build_program ON
    [ "$last" != ok ] || check "the Debian package, installed and used" \
        bash "$root/scripts/test-package.sh" "$build"
    [ -z "$tidy" ] || check "clang-tidy over src" wait_for "$tidy" "$asan/tidy.log"
    check "formatting" bash "$root/scripts/check-format.sh"
    echo "=== summary"
    printf '%s\n' "${results[@]}"
    echo "tests: $(grep -h 'tests passed' "$asan/ctest.log" 2>/dev/null || echo none)"
    [ -z "$tidy" ] || tail -n 1 "$asan/tidy.log"
    exit $failed
    ;;
esac
