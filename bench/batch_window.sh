#!/usr/bin/env bash
# 1000 SubRip files of 200 subtitles each converted to MicroDVD at 25 fps, once through the
# batch window (offscreen, shown, from the click on "Začít" to the summary line) and once by
# `quillmark-convert --to microdvd -d` (the whole process), in pairs whose order alternates;
# then the medians and ranges, their ratio and a check that both wrote the same bytes. Every
# run writes into an empty folder of its own: replacing the other program's outputs of a moment
# before would time the disk's freeing of them (on an ext4 without a journal, as on the build
# host, a new file skips the inodes freed in the last few minutes), not the window.
#   bench/batch_window.sh [BUILD_DIR] [RUNS]      (BUILD_DIR configured with QM_GUI=ON QM_BENCH=ON)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
runs="${2:-5}"
window="$build/bench/batch_window"
cli="$build/src/quillmark-convert"
for exe in "$window" "$cli"; do
  [ -x "$exe" ] || { echo "missing $exe: build with -DQM_GUI=ON -DQM_BENCH=ON" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"
source "$here/bench/batch_files.sh"
make_batch_files "$work/in"
files=("$work"/in/*.srt)

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
ms() { awk -v s="$1" -v e="$2" 'BEGIN { printf "%.1f", (e - s) * 1000 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: > "$work/run"; : > "$work/process"; : > "$work/cli-times"
runWindow() {  # run number
  mkdir "$work/window-$1"
  sync -f "$work"
  local start=$EPOCHREALTIME
  # The language and settings are read from the checkout; the settings are written to a copy.
  QUILLMARK_PROGRAM_FOLDER="$here/" "$window" 0 25 "$work/window-$1" "${files[@]}" > "$work/window-report" \
    2> "$work/window-err" || { grep -v -e propagateSizeHints -e QStandardPaths "$work/window-err" >&2; exit 1; }
  ms "$start" "$EPOCHREALTIME" >> "$work/process"; echo >> "$work/process"
  head -1 "$work/window-report" >> "$work/run"
}
runCli() {  # run number
  mkdir "$work/cli-$1"
  sync -f "$work"
  local start=$EPOCHREALTIME
  "$cli" --to microdvd --fps 25 -d "$work/cli-$1" "${files[@]}" 2> "$work/cli-report"
  ms "$start" "$EPOCHREALTIME" >> "$work/cli-times"; echo >> "$work/cli-times"
}
for run in $(seq "$runs"); do
  if [ $((run % 2)) -eq 1 ]; then
    runWindow "$run"; runCli "$run"
  else
    runCli "$run"; runWindow "$run"
  fi
done
runTime=$(median < "$work/run")
processTime=$(median < "$work/process")
cliTime=$(median < "$work/cli-times")
range() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f-%.1f", v[1], v[NR] }'; }

echo "1000 files x 200 subtitles, SubRip -> MicroDVD at 25 fps, $runs runs each, median (range) wall time:"
echo "  batch window run   ${runTime} ms ($(range < "$work/run"))   (click to summary line; whole process ${processTime} ms)"
echo "  quillmark-convert  ${cliTime} ms ($(range < "$work/cli-times"))   (whole process)"
awk -v w="$runTime" -v c="$cliTime" 'BEGIN { printf "  ratio              %.2f (target <= 1.50)\n", w / c }'
echo "  window summary: $(tail -2 "$work/window-report" | tr '\n' ' ')"
echo "  cli summary:    $(tail -2 "$work/cli-report" | tr '\n' ' ')"
if diff -rq "$work/window-1" "$work/cli-1" > /dev/null; then
  echo "  outputs: identical ($(ls "$work/window-1" | wc -l) files)"
else
  echo "  outputs: DIFFER" && exit 1
fi
