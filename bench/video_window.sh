#!/usr/bin/env bash
# Makes a 30 s 640x360 film and a two-hour film (VP8 + AC-3, about 150 MB, a minute or two)
# in a temporary folder, runs bench/video_window.cpp on them and removes them again. The
# windows are shown on a virtual X screen (xvfb), where frames are painted as on a desktop.
#   bench/video_window.sh [BUILD_DIR] [ROWS]      (BUILD_DIR configured with QM_GUI, QM_VIDEO, QM_BENCH)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
rows="${2:-40}"
program="$build/bench/video_window"
[ -x "$program" ] || { echo "missing $program: build with -DQM_GUI=ON -DQM_VIDEO=ON -DQM_BENCH=ON" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
echo "making the films..."
"$here/scripts/make_test_media.sh" scene "$work/scene.webm"
time "$here/scripts/make_test_media.sh" long "$work/long.mkv"
ls -l "$work"
uptime
xvfb-run -a -s "-screen 0 1400x900x24" "$program" "$work/scene.webm" "$work/long.mkv" "$rows" 2>&1 |
  grep -v -e "Failed to connect" -e pa_context -e XDG_RUNTIME_DIR -e "No RHI backend"
