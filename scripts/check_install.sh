#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks it the way a user's system sees
# it: both programs run from there, the editor finds its Data and language file, the desktop
# entry, AppStream data, file types, manual pages and completion are valid, and the Debian
# package holds the same files with its library dependencies.
#   scripts/check_install.sh [BUILD_DIR]      (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$here/build}" && pwd)"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "  FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "  ok: $*"; }

prefix="$tmp/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/quillmark bin/quillmark-convert
  share/quillmark/Data/Icon.ico share/quillmark/Data/quillmark.png
  share/applications/quillmark.desktop
  share/icons/hicolor/scalable/apps/quillmark.svg
  share/mime/packages/quillmark.xml share/metainfo/quillmark.metainfo.xml
  share/man/man1/quillmark.1 share/man/man1/quillmark-convert.1
  share/bash-completion/completions/quillmark-convert)
for size in 16 32 48 64 128 256; do expected+=("share/icons/hicolor/${size}x${size}/apps/quillmark.png"); done
for file in "${expected[@]}"; do [ -e "$prefix/$file" ] || fail "missing $file"; done
for size in 16 32 48 64 128 256; do
  kind=$(file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/quillmark.png")
  [[ "$kind" == "PNG image data, $size x $size,"* ]] || fail "icon ${size}x${size} is $kind"
done
compgen -G "$prefix/share/quillmark/Data/lng_*.ini" >/dev/null || fail "no language file in Data"
pass "installed tree has ${#expected[@]} expected files"

# The converter from the installed tree.
formats=$("$prefix/bin/quillmark-convert" --list-formats | wc -l)
[ "$formats" -eq 13 ] && pass "quillmark-convert --list-formats lists 13 formats" || fail "--list-formats gave $formats lines"
sample="$here/tests/data/subrip/dot_millis.srt"
"$prefix/bin/quillmark-convert" --quiet --to microdvd --fps 25 -o "$tmp/out.sub" "$sample" &&
  [ -s "$tmp/out.sub" ] && pass "installed converter converts" || fail "installed converter did not convert"

# The editor from the installed tree, offscreen, with a home of its own. Its settings say a
# later run: a first run opens the About window, which waits for the user.
mkdir -p "$tmp/home/.config/quillmark"
printf '[SETTINGS]\r\nExec=1\r\n' >"$tmp/home/.config/quillmark/settings.ini"
before=$failures
report=$(env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$tmp/home" QT_QPA_PLATFORM=offscreen \
  QUILLMARK_QUIT_AFTER_FIRST_PAINT=1 QUILLMARK_PROBE_REPORT=1 \
  timeout 60 "$prefix/bin/quillmark" "$sample" 2>/dev/null) || fail "the installed editor did not start and quit"
share="$(cd "$prefix/share/quillmark" && pwd -P)/"
grep -qxF "program_folder=$share" <<<"$report" || fail "editor's program folder: $(grep program_folder <<<"$report")"
grep -qx "language_file=found" <<<"$report" || fail "editor did not find its language file"
grep -qx "subtitles=[1-9][0-9]*" <<<"$report" || fail "editor did not open $sample"
[ "$failures" -eq "$before" ] && pass "installed editor opens a file offscreen with Data from $share"

desktop-file-validate "$prefix/share/applications/quillmark.desktop" && pass "desktop-file-validate" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/quillmark.metainfo.xml" >"$tmp/appstream.log" 2>&1 &&
  pass "appstreamcli validate --no-net" || { cat "$tmp/appstream.log"; fail "appstreamcli validate"; }

# The file types compile into a MIME database, with our own types in it.
mkdir -p "$tmp/mime/packages"
cp "$prefix/share/mime/packages/quillmark.xml" "$tmp/mime/packages/"
if XDG_DATA_DIRS="$tmp" update-mime-database "$tmp/mime" 2>"$tmp/mime.log" && [ ! -s "$tmp/mime.log" ] &&
  [ -f "$tmp/mime/text/x-quillmark-dks.xml" ] && [ -f "$tmp/mime/text/x-quillmark-aqt.xml" ] && grep -q '\*\.srt' "$tmp/mime/globs"; then
  pass "update-mime-database takes the file types"
else
  cat "$tmp/mime.log"; fail "update-mime-database"
fi

# The desktop entry opens exactly the types the MIME package declares.
desktop="$prefix/share/applications/quillmark.desktop"
grep -qx "Categories=AudioVideo;Video;AudioVideoEditing;" "$desktop" || fail "desktop entry categories"
types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
declared=$(grep -o '<mime-type type="[^"]*"' "$prefix/share/mime/packages/quillmark.xml" | cut -d'"' -f2 | xargs)
[ "$(xargs -n1 <<<"$types" | sort | xargs)" = "$(xargs -n1 <<<"$declared" | sort | xargs)" ] &&
  pass "desktop entry MimeType= matches the MIME package: $types" || fail "MimeType=$types, declared: $declared"

for page in quillmark quillmark-convert; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] && pass "man -l $page.1 renders without warnings" || fail "man $page.1: $warnings"
done

# bash-completion's own loader finds the script in the installed tree and it completes.
names=$(XDG_DATA_DIRS="$prefix/share" bash -c 'source /usr/share/bash-completion/bash_completion &&
  __load_completion quillmark-convert && complete -p quillmark-convert >/dev/null &&
  COMP_WORDS=("$1" --to s) COMP_CWORD=2 && _quillmark_convert && echo "${COMPREPLY[*]}"' _ \
  "$prefix/bin/quillmark-convert") || true
[[ " $names " == *" subrip "* && " $names " == *" srt "* ]] && pass "completion loads and completes --to" ||
  fail "completion gave '$names'"

# The Debian package.
rm -f "$build"/quillmark_*.deb
(cd "$build" && cpack -G DEB >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; fail "cpack -G DEB"; }
deb="$build/quillmark_0.91-1_amd64.deb"
if [ -f "$deb" ]; then
  [ "$(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version)" = "quillmark 0.91-1" ] || fail "package name/version"
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ "$depends" == *"$lib "* || "$depends" == *"$lib," || "$depends" == *"$lib" ]] || fail "Depends lacks $lib: $depends"
  done
  [[ "$(dpkg-deb -f "$deb" Description)" == *"in eleven formats"* ]] || fail "package description"
  [[ "$(dpkg-deb -f "$deb" Recommends)" == *"gstreamer1.0-plugins-good"* ]] || fail "Recommends lacks the film plugins"
  listed=$(dpkg-deb -c "$deb" | awk '{print $6}')
  for file in "${expected[@]}"; do grep -qxF "./usr/$file" <<<"$listed" || fail "package lacks /usr/$file"; done
  dpkg-deb -x "$deb" "$tmp/root"
  [ "$("$tmp/root/usr/bin/quillmark-convert" --version)" = "quillmark-convert 0.91" ] || fail "packaged converter"
  pass "$(basename "$deb"): $(stat -c %s "$deb") bytes, Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB"
  pass "Depends: $depends"
else
  fail "no $deb"
fi
echo "  installed tree: $(du -sk "$prefix" | cut -f1) KiB ($(find "$prefix" -type f | wc -l) files)"

if [ "$failures" -ne 0 ]; then
  echo "Install check: $failures failures"
  exit 1
fi
echo "Install check passed."
