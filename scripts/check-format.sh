#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format 14 makes of it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
format=$(command -v clang-format-14 || command -v clang-format)
dirs=()
for d in src tests bench tools fuzz; do
    [ -d "$d" ] && dirs+=("$d")
done
mapfile -t files < <(find "${dirs[@]}" -name '*.cpp' -o -name '*.h' | sort)
"$format" --dry-run --Werror --style=file "${files[@]}"
echo "Formatting: ${#files[@]} files as .clang-format asks"
