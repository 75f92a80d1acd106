#!/usr/bin/env bash
# Checks that no function under src/ is longer than 60 lines (first to last line, as universal
# ctags sees them); the window templates and menus of src/resources/ are data and not counted.
# Usage: check-function-length.sh [SRC_DIR] [LIMIT]; prints each long function and exits 1 when
# there is one.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
limit="${2:-60}"
command -v ctags > /dev/null || { echo "check-function-length: universal-ctags is missing" >&2; exit 2; }
long=$(cd "$src" && ctags --languages=C++ --c++-kinds=f --fields=+ne --output-format=u-ctags \
    -o - -R . | awk -F'\t' -v limit="$limit" '
    $2 !~ /^(\.\/)?resources\// {
        start = ""; end = ""
        for (i = 4; i <= NF; i++) {
            if ($i ~ /^line:/) start = substr($i, 6)
            if ($i ~ /^end:/) end = substr($i, 5)
        }
        if (start != "" && end != "" && end - start + 1 > limit)
            printf "%s:%s %s is %d lines\n", $2, start, $1, end - start + 1
    }')
if [ -n "$long" ]; then
    echo "functions over $limit lines:"
    echo "$long"
    exit 1
fi
