#!/usr/bin/env bash
# Takes the README's pictures of the editor with a subtitle file open, on a virtual X screen:
#   docs/screenshot.png       Czech (the built-in language)
#   docs/screenshot-en.png    English
#   docs/screenshot-dark.png  English on a dark Fusion palette, as a dark desktop sets it
#                             through the qt6ct platform theme
#   scripts/screenshot.sh [BUILD_DIR]     installs what it needs: xvfb, xauth, imagemagick, qt6ct
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
editor="${1:-$here/build}/src/app/quillmark"
[ -x "$editor" ] || { echo "build the editor first: $editor" >&2; exit 1; }
source "$here/scripts/ensure_deps.sh"
ensure_packages xvfb xauth imagemagick qt6ct
# A fixed folder, so that the file caption in the picture reads the same on every run.
tmp="${TMPDIR:-/tmp}/quillmark-screenshot"
rm -rf "$tmp" && mkdir -p "$tmp"
trap 'rm -rf "$tmp"' EXIT
# A portable copy of its own: no About window (a later run), and the developer's own settings
# stay untouched.
mkdir -p "$tmp/app"
cp "$editor" "$tmp/app/quillmark"
cp -r "$(dirname "$editor")/Data" "$tmp/app/Data"
editor="$tmp/app/quillmark"

# A short scene of our own, so that the picture shows real times and two-line subtitles.
mkdir -p "$tmp/Films"
cp "$here/scripts/screenshot_scene.srt" "$tmp/Films/harbour.srt"

export HOME="$tmp/home"  # a home of its own, without the user's settings or recent files
mkdir -p "$HOME/.config/qt6ct"
unset XDG_CONFIG_HOME XDG_STATE_HOME QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE

# shoot LANGUAGE(1 Czech, 2 English) OUTPUT [dark]
shoot() {
  printf '[LANGUAGES]\r\nCount=2\r\n1=\xC8esk\xFD\r\n2=English\r\n[SETTINGS]\r\nLanguage=%s\r\nExec=1\r\n' "$1" \
    >"$tmp/app/Data/settings.ini"
  local theme=()
  if [ "${3:-}" = dark ]; then
    printf '[Appearance]\nstyle=Fusion\ncustom_palette=true\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n' \
      >"$HOME/.config/qt6ct/qt6ct.conf"
    theme=(env QT_QPA_PLATFORMTHEME=qt6ct)
  fi
  xvfb-run -a -s "-screen 0 1280x900x24" "${theme[@]}" bash -c '
    "$1" "$2" & pid=$!
    sleep 4
    import -window root "$3"
    kill $pid; wait $pid 2>/dev/null || true' _ "$editor" "$tmp/Films/harbour.srt" "$tmp/root.png"
  # No window manager: the window sits frameless at the top left on a black screen.
  convert "$tmp/root.png" -trim +repage -strip "$here/$2"
  identify -format "$2: %wx%h\n" "$here/$2"
}
shoot 1 docs/screenshot.png
shoot 2 docs/screenshot-en.png
shoot 2 docs/screenshot-dark.png dark
