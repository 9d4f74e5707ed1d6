#!/bin/bash
# Builds the Debian package from the build, unpacks it into a scratch root and checks what a
# system and a software centre would read: the files, the control fields, the entries' validity.
# Usage: package_test.sh <build-dir>
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "$0")/../check.sh"

if ! cpack -G DEB -B "$scratch/out" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"; echo "0 passed, 1 failed"; exit 1
fi
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$scratch/out/facetwright_${version}_amd64.deb
check "package named facetwright_<version>_amd64.deb" test -n "$version" -a -f "$deb"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
for f in bin/facetwright bin/facetwright-tool libexec/facetwright/facetwright-render \
         share/applications/facetwright.desktop \
         share/mime/packages/facetwright.xml share/thumbnailers/facetwright.thumbnailer \
         share/icons/hicolor/256x256/apps/facetwright.png share/doc/facetwright/copyright \
         share/doc/facetwright/changelog.gz; do
  check "package holds /usr/$f" test -s "$root/usr/$f"
done
check "programs are stripped" bash -c "! file '$root/usr/bin/facetwright' | grep -q 'not stripped'"

field() { dpkg-deb -f "$deb" "$1"; }
check "dependencies read off the binaries" bash -c "[[ '$(field Depends)' == *libqt6widgets6* && '$(field Depends)' == *libc6* ]]"
check "section graphics" test "$(field Section)" = graphics

desktop=$root/usr/share/applications/facetwright.desktop
check "desktop entry is valid" desktop-file-validate "$desktop"
metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml 2>/dev/null | head -1)
check "metainfo is valid" appstreamcli validate --no-net "$metainfo"
check "metainfo launches the desktop entry" grep -q '<launchable type="desktop-id">facetwright.desktop<' "$metainfo"
check "metainfo names the file type" grep -q '<mediatype>model/x-facetwright<' "$metainfo"
# One version everywhere: the package, its changelog and the software centre's release.
check "metainfo release is the package's" grep -q "<release version=\"$version\"" "$metainfo"
check "changelog is the package's" bash -c "zcat '$root/usr/share/doc/facetwright/changelog.gz' | head -1 | grep -qF 'facetwright ($version)'"

if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1
  check "lintian reports no errors" bash -c "! grep -q '^E:' '$scratch/lintian.log'"
  grep '^[EW]:' "$scratch/lintian.log"
fi

finish
