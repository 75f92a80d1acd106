#!/usr/bin/env bash
# The function length check must reject a function one line too long and pass one at the limit.
set -u
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/app" "$tree/resources"
body() { printf 'int %s() {\n' "$1"; for _ in $(seq 1 "$2"); do echo '    ++n;'; done; echo '}'; }
{ echo 'static int n;'; body fits 58; } > "$tree/app/fits.cpp"
{ echo 'static int n;'; body table 100; } > "$tree/resources/table.cpp"
bash "$check" "$tree" > /dev/null || { echo "a 60-line function or a data table was rejected"; exit 1; }
{ echo 'static int n;'; body tooLong 59; } > "$tree/app/long.cpp"
out=$(bash "$check" "$tree")
status=$?
grep -qF "tooLong is 61 lines" <<< "$out" || { echo "not reported: tooLong"; exit 1; }
[ $status -eq 1 ] || { echo "the check passed a 61-line function"; exit 1; }
echo "ok"
