#!/usr/bin/env bash
# Takes docs/screenshot_video.png: the main window with a subtitle file open and the video
# window beside it, five seconds into a film of our own, on a virtual X screen.
#   scripts/screenshot_video.sh [BUILD_DIR]    needs: xvfb, xauth, imagemagick, GStreamer's tools
# BUILD_DIR is configured with QM_GUI, QM_VIDEO and QM_BENCH: bench/video_window shows the scene.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
scene="$build/bench/video_window"
[ -x "$scene" ] || { echo "build the benchmarks with the video window first: $scene" >&2; exit 1; }
tmp="${TMPDIR:-/tmp}/quillmark-screenshot-video"
rm -rf "$tmp" && mkdir -p "$tmp/app" "$tmp/Films"
trap 'rm -rf "$tmp"' EXIT
# The program's Data folder with the English language chosen and no About window.
cp -r "$build/src/app/Data" "$tmp/app/Data"
printf '[LANGUAGES]\r\nCount=2\r\n1=\xC8esk\xFD\r\n2=English\r\n[SETTINGS]\r\nLanguage=2\r\nExec=1\r\n' >"$tmp/app/Data/settings.ini"

# The same scene as the editor's screenshots; the film is ten seconds of it.
cp "$here/scripts/screenshot_scene.srt" "$tmp/Films/harbour.srt"
"$here/scripts/make_test_media.sh" scene "$tmp/Films/harbour.webm"

export HOME="$tmp/home"
mkdir -p "$HOME"
xvfb-run -a -s "-screen 0 1440x900x24" bash -c '
  "$1" --scene "$2" "$3" 5.2 "$4" >/dev/null 2>&1 & pid=$!
  sleep 8
  import -window root "$5"
  kill $pid; wait $pid 2>/dev/null || true' _ "$scene" "$tmp/Films/harbour.srt" "$tmp/Films/harbour.webm" \
  "$tmp/app" "$tmp/root.png"
convert "$tmp/root.png" -trim +repage -strip "$here/docs/screenshot_video.png"
identify -format "docs/screenshot_video.png: %wx%h\n" "$here/docs/screenshot_video.png"
