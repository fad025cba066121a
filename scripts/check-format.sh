#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format 14 makes of it, and names
# those files; `clang-format -i FILE` puts one right.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
format=$(command -v clang-format-14 || command -v clang-format)
dirs=()
for d in src tests bench tools fuzz; do
    [ -d "$d" ] && dirs+=("$d")
done
mapfile -t files < <(find "${dirs[@]}" \( -name '*.cpp' -o -name '*.h' \) | sort)
report=$("$format" --dry-run --Werror --style=file "${files[@]}" 2>&1) && status=0 || status=$?
if [ $status -eq 0 ]; then
    echo "Formatting: all ${#files[@]} files as .clang-format asks"
    exit 0
fi
echo "Formatting: these files differ from clang-format (lines that differ):"
grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort | uniq -c || echo "$report"
exit 1
