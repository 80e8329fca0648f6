#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR as a package would (prefix /usr)
# and checks what a desktop reads from it: the file list, the desktop entry,
# the software-centre description, the MIME package (compiled as the system
# would), the icons it names, and the installed program's version.
#
# When lintian is installed, the Debian package that cpack makes from the
# same build must give it no error and no warning.
#
#   test_install.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR}
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
root="$dest/usr"
id=org.qelun.Qelun
mime=application/x-qelun-score

# Every installed file, and nothing else.
expected=(
  bin/qelun
  share/applications/$id.desktop
  share/doc/qelun/LICENSE
  share/doc/qelun/changelog.gz
  share/doc/qelun/copyright
  share/doc/qelun/LICENSE-ArphicPL.txt
  share/doc/qelun/README.md
  share/man/man1/qelun.1.gz
  share/metainfo/$id.metainfo.xml
  share/mime/packages/$id.xml
  share/qelun/examples/youyuan-zaoluopao.gcp
)
for context in apps/$id mimetypes/${mime/\//-}; do
  expected+=("share/icons/hicolor/scalable/${context%/*}/${context#*/}.svg")
  for size in 16 22 24 32 48 64 128 256 512; do
    expected+=("share/icons/hicolor/${size}x${size}/${context%/*}/${context#*/}.png")
  done
done
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
if [ "$actual" != "$wanted" ]; then
  diff <(echo "$wanted") <(echo "$actual") >&2 || true
  fail "installed files differ from the expected list (< expected, > installed)"
fi
[ -x "$root/bin/qelun" ] || fail "the program is not executable"

# The PNG icons are the sizes their folders name.
for png in "$root"/share/icons/hicolor/*x*/*/*.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  file "$png" | grep -q "PNG image data, ${size/x/ x }," || fail "$png is not $size: $(file -b "$png")"
done

# Desktop entry: valid, names the program, its file type and an installed icon.
desktop="$root/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
# %F: every file of a selection goes to the one running window.
grep -qx 'Exec=qelun %F' "$desktop" || fail "Exec= is not 'qelun %F'"
grep -qx "MimeType=$mime;" "$desktop" || fail "MimeType= does not name $mime"
grep -qx 'Name\[zh_CN\]=Qelun工尺谱' "$desktop" || fail "no Chinese name"
grep -q '^Name=.*[A-Za-z]' "$desktop" || fail "no English name"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon is not installed"

# Software-centre description: valid, tied to the desktop entry, with a caption.
metainfo="$root/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"
# A screenshot only where its address was given, and then with a caption.
screenshot=$(sed -n 's/^QELUN_SCREENSHOT_URL:STRING=//p' "$build/CMakeCache.txt")
if [ -n "$screenshot" ]; then
  grep -q '<caption>' "$metainfo" || fail "no screenshot caption"
else
  grep -q '<screenshot' "$metainfo" && fail "a screenshot element without an address"
fi
grep -q '@[A-Z_]*@' "$metainfo" && fail "unconfigured placeholder in the metainfo"

# MIME package: well-formed, and compiled by update-mime-database into a
# database that maps *.gcp to the type, with both comments.
package="$root/share/mime/packages/$id.xml"
xmllint --noout "$package" || fail "xmllint"
grep -q '<comment xml:lang="zh_CN">' "$package" || fail "no Chinese comment"
grep -q '<comment>' "$package" || fail "no English comment"
mimedb=$(mktemp -d -p "$dest")
mkdir -p "$mimedb/packages"
cp "$package" "$mimedb/packages/"
update-mime-database "$mimedb" >/dev/null 2>&1 || fail "update-mime-database"
grep -q ":$mime:\*\.gcp" "$mimedb/globs2" || fail "*.gcp does not map to $mime"
mimeicon=$(sed -n 's/.*<icon name="\([^"]*\)".*/\1/p' "$package")
[ -f "$root/share/icons/hicolor/scalable/mimetypes/$mimeicon.svg" ] || fail "the type's icon '$mimeicon' is not installed"

# The installed program answers --version without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/qelun" --version)
[ "$version" = "qelun 2.0" ] || fail "--version printed '$version'"

# The manual page reads without a complaint from man.
manwarnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/share/man/man1/qelun.1.gz" 2>&1 >/dev/null)
[ -z "$manwarnings" ] || fail "man: $manwarnings"

# The Debian package, as lintian sees it.
if command -v lintian >/dev/null && command -v cpack >/dev/null; then
  (cd "$dest" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$dest/deb" >/dev/null) \
    || fail "cpack could not make the package"
  deb=$(ls "$dest"/deb/*.deb)
  lintian --fail-on error,warning --no-tag-display-limit "$deb" >&2 || fail "lintian: $deb"
  echo "lintian: no error, no warning"
fi

echo "install test passed: ${#expected[@]} files"
