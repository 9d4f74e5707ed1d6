#!/bin/bash
# Installs the build into a scratch prefix and checks the desktop integration as a desktop reads
# it: the programs, the application entry, the file type, the thumbnailer and the icon sizes.
# Usage: install_test.sh <build-dir>
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
source "$(dirname "$0")/../check.sh"

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log"; rm -f "$prefix.log"; echo "0 passed, 1 failed"; exit 1
fi
rm -f "$prefix.log"
share=$prefix/share

check "programs in bin" test -x "$prefix/bin/facetwright" -a -x "$prefix/bin/facetwright-tool"

desktop=$share/applications/facetwright.desktop
check "desktop entry is valid" desktop-file-validate "$desktop"
check "desktop entry opens files" grep -qx 'Exec=facetwright %f' "$desktop"
check "desktop entry names the icon" grep -qx 'Icon=facetwright' "$desktop"
check "desktop entry names the file types it opens" grep -qx 'MimeType=model/x-facetwright;model/obj;model/gltf-binary;model/gltf+json;' "$desktop"

mime=$share/mime/packages/facetwright.xml
well_formed() {
  if command -v xmllint >/dev/null; then xmllint --noout "$1"
  else python3 -c 'import sys, xml.etree.ElementTree as e; e.parse(sys.argv[1])' "$1"; fi
}
check "file type is well-formed XML" well_formed "$mime"
# The database the desktop builds from the package must map both spellings of the extension.
update-mime-database "$share/mime" 2>/dev/null
check "*.fw2 is a model" grep -q ':model/x-facetwright:\*\.fw2$' "$share/mime/globs2"
check "*.FW2 is a model" grep -q ':model/x-facetwright:\*\.FW2:cs$' "$share/mime/globs2"
check "magic of the file type" grep -q 'model/x-facetwright' "$share/mime/magic"

thumb=$share/thumbnailers/facetwright.thumbnailer
check "thumbnailer renders framed thumbnails with the tool" grep -qx 'Exec=facetwright-tool render %i %o --size %s --thumbnail' "$thumb"
check "thumbnailer serves the file type" grep -qx 'MimeType=model/x-facetwright;' "$thumb"
# The command as a file manager runs it, with the installed tool (when built with rendering).
if "$prefix/bin/facetwright-tool" --help 2>&1 | grep -q '^  render '; then
  command=$(sed -n 's/^Exec=//p' "$thumb")
  command=${command//%i/$(dirname "$0")/../../resources/defaults/PREVIEWMODEL2.FW2}
  command=${command//%o/$prefix/thumb.png}
  command=${command//%s/128}
  APPDATA=$prefix PATH=$prefix/bin:$PATH $command >/dev/null 2>&1
  check "thumbnail drawn" test "$(identify -format '%m %wx%h' "$prefix/thumb.png" 2>/dev/null)" = "PNG 128x128"
fi

for n in 16 32 48 64 128 256; do
  icon=$share/icons/hicolor/${n}x$n/apps/facetwright.png
  check "icon ${n}x$n" test "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${n}x$n"
done

finish
