#!/usr/bin/env bash
# The editor's start-up to its first painted window with a settings file and the full
# English language file, side by side with bench/gui_anchor (a bare Qt grid window), on the
# 20000-subtitle SubRip file of bench/gui_open.sh and with no file; the same editor without
# a language file shows what the settings and language steps cost. Then bench/language_switch.
#   bench/startup_language.sh [BUILD_DIR] [RUNS]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
runs="${2:-11}"
for exe in "$build/src/app/quillmark" "$build/bench/gui_anchor" "$build/bench/language_switch"; do
  [ -x "$exe" ] || { echo "missing $exe: build with -DQM_GUI=ON -DQM_BENCH=ON" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A program folder of its own, so that the settings file is ours and no run is the first.
mkdir -p "$work/program/Data"
cp "$build/src/app/quillmark" "$work/program/"
cp "$here"/Data/* "$work/program/Data/"
printf '[LANGUAGES]\r\nCount=2\r\n1=\xC8esk\xFD\r\n2=English\r\n\r\n[SETTINGS]\r\nLanguage=2\r\nExec=5\r\n' \
  > "$work/program/Data/settings.ini"
: > "$work/empty.srt"
mkdir -p "$work/bare/Data"
cp "$build/src/app/quillmark" "$work/bare/"
printf '[SETTINGS]\r\nExec=5\r\n' > "$work/bare/Data/settings.ini"
awk 'BEGIN {
  for (i = 1; i <= 20000; i++) {
    s = i * 3; e = s + 2;
    printf "%d\r\n%02d:%02d:%02d,%03d --> %02d:%02d:%02d,500\r\n", i, s/3600, (s/60)%60, s%60, (i*37)%1000, e/3600, (e/60)%60, e%60;
    printf "Subtitle number %d with some text\r\nand a second line %d\r\n\r\n", i, i;
  } }' > "$work/big.srt"

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
once() {  # command...: prints milliseconds for one run
  local start=$EPOCHREALTIME
  "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
  local end=$EPOCHREALTIME
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f\n", (e - s) * 1000 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

compare() {  # label editorFile anchorFile: the editor (with and without a language file) and the anchor
  local args=()
  [ -n "$2" ] && args=("$2")
  : > "$work/editor"; : > "$work/bare.times"; : > "$work/anchor"
  for _ in $(seq "$runs"); do
    once env QUILLMARK_QUIT_AFTER_FIRST_PAINT=1 "$work/program/quillmark" "${args[@]}" >> "$work/editor"
    once env QUILLMARK_QUIT_AFTER_FIRST_PAINT=1 "$work/bare/quillmark" "${args[@]}" >> "$work/bare.times"
    once "$build/bench/gui_anchor" "$3" >> "$work/anchor"
  done
  local editorTime bareTime anchorTime
  editorTime=$(median < "$work/editor")
  bareTime=$(median < "$work/bare.times")
  anchorTime=$(median < "$work/anchor")
  echo "$1, $runs runs each, median wall time to the first paint:"
  echo "  editor, settings + English     ${editorTime} ms"
  echo "  editor, no language file       ${bareTime} ms"
  echo "  anchor                         ${anchorTime} ms"
  awk -v e="$editorTime" -v a="$anchorTime" 'BEGIN { printf "  ratio   %.2f (target < 1.30)\n", e / a }'
}
compare "20000 subtitles (bench/gui_open.sh's file)" "$work/big.srt" "$work/big.srt"
compare "no file (the anchor shows an empty grid)" "" "$work/empty.srt"
"$build/bench/language_switch" 40 2>/dev/null | sed 's/^/  /'
