#!/usr/bin/env bash
# Builds the Debian package from a finished build folder (nothing is compiled again) and checks
# what it holds: the programs, the menu entry, the file type, the AppStream data, the icons and
# the manual pages, each validated by its own tool where that is installed; then the unpacked
# programs run and `orvane` reads a project given to it.
# Usage: scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
start=$SECONDS

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
  echo "package check: $*" >&2
  exit 1
}

rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$(ls "$build"/package/orvane_*.deb)"

listing="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
  icons+=("./usr/share/icons/hicolor/$size/apps/orvane.png")
done
for path in ./usr/bin/orvane ./usr/bin/orvane-cli ./usr/share/applications/orvane.desktop \
  ./usr/share/mime/packages/orvane.xml ./usr/share/icons/hicolor/scalable/apps/orvane.svg \
  "${icons[@]}" ./usr/share/man/man1/orvane.1 ./usr/share/man/man1/orvane-cli.1 \
  ./usr/share/orvane/examples/customer.qel; do
  grep -qxF "$path" <<<"$listing" || fail "$path is missing"
done
metainfo="$(grep -E '^\./usr/share/metainfo/.+\.metainfo\.xml$' <<<"$listing")" ||
  fail "no AppStream metainfo file"

depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")" ] ||
  fail "the package version is not the project's"

dpkg-deb -x "$deb" "$work/root"
root="$work/root"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/orvane.desktop"
else
  echo "(desktop-file-validate not installed: desktop entry not validated)"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/${metainfo#./}" >"$work/appstream.log" ||
    { cat "$work/appstream.log"; fail "the metainfo file does not validate"; }
else
  echo "(appstreamcli not installed: metainfo not validated)"
fi
if command -v update-mime-database >/dev/null; then
  mkdir -p "$work/mime/packages"
  cp "$root/usr/share/mime/packages/orvane.xml" "$work/mime/packages/"
  update-mime-database "$work/mime" >/dev/null 2>&1 || fail "update-mime-database refused the MIME package"
  [ -f "$work/mime/application/x-orvane-qel.xml" ] || fail "the MIME package declares no type"
fi
if command -v man >/dev/null; then
  for page in orvane orvane-cli; do
    warnings="$(man --warnings -E UTF-8 -l -Tutf8 -Z "$root/usr/share/man/man1/$page.1" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "$page.1: $warnings"
  done
fi
if command -v apt-get >/dev/null; then
  apt-get install -s "$deb" >/dev/null || fail "the dependencies cannot be met here"
fi

version="$(dpkg-deb -f "$deb" Version)"
[ "$("$root/usr/bin/orvane-cli" --version)" = "orvane-cli $version" ] || fail "orvane-cli --version"
[ "$("$root/usr/bin/orvane" --version)" = "orvane $version" ] || fail "orvane --version"
# Without a display the program prints the code of the project it was given.
code="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/orvane" \
  "$PWD/examples/invoice.qel" 2>/dev/null)"
grep -q "01 INVOICE-HEADER." <<<"$code" || fail "orvane did not read the project given to it"

echo "package check: $(basename "$deb") passed in $((SECONDS - start)) s"
