#!/usr/bin/env bash
# Starts the editor on FILE under a virtual X screen and saves a PNG of the whole screen:
#   scripts/screenshot.sh FILE OUT.png
# QUILLMARK_EXE picks the program (default build/src/app/quillmark); SCREEN_SIZE the screen
# (default 1024x768); SHOT_DELAY the seconds to wait before the picture (default 3).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ $# -ne 2 ]; then
  echo "usage: $0 FILE OUT.png" >&2
  exit 2
fi
source "$here/ensure_deps.sh"
ensure_packages xvfb xauth imagemagick

exe="${QUILLMARK_EXE:-$here/../build/src/app/quillmark}"
if [ ! -x "$exe" ]; then
  echo "no editor at $exe: build it first (./run.sh or cmake --build build)" >&2
  exit 1
fi
file="$(realpath "$1")"
out="$(realpath -m "$2")"
export QM_SHOT_EXE="$exe" QM_SHOT_FILE="$file" QM_SHOT_OUT="$out" QM_SHOT_DELAY="${SHOT_DELAY:-3}"
xvfb-run -a -s "-screen 0 ${SCREEN_SIZE:-1024x768}x24" bash -c '
  "$QM_SHOT_EXE" "$QM_SHOT_FILE" -platform xcb &
  pid=$!
  sleep "$QM_SHOT_DELAY"
  import -window root "$QM_SHOT_OUT"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true'
echo "saved $out"
