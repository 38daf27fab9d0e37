#!/bin/sh
# Installs the build into a scratch prefix and validates what a desktop and a
# software centre read from it.
#   check_install.sh BUILD_DIR
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
id=com.zentrik.KorvaneVandel
for f in bin/korvane share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/64x64/apps/$id.png \
         share/icons/hicolor/128x128/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
         share/icons/hicolor/scalable/apps/$id.svg share/man/man1/korvane.1 \
         share/bash-completion/completions/korvane; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
find "$prefix" -name korvane_webengine.so | grep -q . || { echo "not installed: the browser module" >&2; exit 1; }
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --pedantic --no-net "$prefix/share/metainfo/$id.metainfo.xml"
echo "installed and valid"
