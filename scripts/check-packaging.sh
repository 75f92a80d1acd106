#!/usr/bin/env bash
# Installs the build in build/ (or $BUILD_DIR) into a scratch folder and checks what a packager
# gets: the program, manual page, desktop entry, icon, guide and AppStream metainfo, with the
# metainfo and the installed tree passing appstreamcli and the manual page formatting cleanly.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
stage="$(mktemp -d "${TMPDIR:-/tmp}/pelkit-install-XXXXXX")"
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage" cmake --install "$build" --prefix /usr > /dev/null
root="$stage/usr"
for f in bin/pelkit_recorder share/man/man1/pelkit_recorder.1 \
  share/applications/pelkit_recorder.desktop \
  share/metainfo/io.github.pelkit.recorder.metainfo.xml \
  share/icons/hicolor/scalable/apps/pelkit_recorder.svg \
  share/doc/pelkit_recorder/pelkit_recorder.html; do
  [ -s "$root/$f" ] || { echo "check-packaging: $f is not installed" >&2; exit 1; }
done

appstreamcli validate --no-net "$root/share/metainfo/io.github.pelkit.recorder.metainfo.xml"
appstreamcli validate-tree --no-net "$root"

warnings="$(LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 "$root/share/man/man1/pelkit_recorder.1" 2>&1)"
if [ -n "$warnings" ]; then
  echo "check-packaging: the manual page has formatting problems:" >&2
  echo "$warnings" >&2
  exit 1
fi
echo "packaging: ok"
