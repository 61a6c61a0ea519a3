#!/usr/bin/env bash
# Fails when a C++ file differs from the project's .clang-format and names each one; run
# `clang-format -i FILE` to fix. The format follows Debian 12's clang-format (14).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tool=${CLANG_FORMAT:-clang-format}
if ! command -v "$tool" >/dev/null; then
    echo "format check: $tool not found (scripts/setup.sh installs it)" >&2
    exit 1
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path ./build -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print)
fi
bad=0
for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    if ! "$tool" --dry-run -Werror "$f" >/dev/null 2>&1; then
        echo "not formatted: $f"
        bad=1
    fi
done
if [ "$bad" -ne 0 ]; then
    echo "format check: run clang-format -i on the files above" >&2
    exit 1
fi
echo "format check: ${#files[@]} files formatted"
