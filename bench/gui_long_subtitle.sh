#!/usr/bin/env bash
# The editor opening a file whose one subtitle holds 10 MB of text: the whole process from
# start to the grid's first paint, and its peak memory. The grid shows the first characters
# of such a text, so neither may grow with it.
#   bench/gui_long_subtitle.sh [BUILD_DIR] [RUNS]      (BUILD_DIR configured with QM_GUI=ON)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
runs="${2:-5}"
editor="$build/src/app/quillmark"
[ -x "$editor" ] || { echo "missing $editor: build with -DQM_GUI=ON" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program/Data" "$work/runtime"
chmod 700 "$work/runtime"
cp "$editor" "$work/program/"
cp "$(dirname "$editor")"/Data/* "$work/program/Data/"
printf '[SETTINGS]\r\nExec=1\r\n' > "$work/program/Data/settings.ini"
file="$work/long.srt"
{
  printf '1\r\n00:00:01,000 --> 00:00:04,000\r\n'
  head -c 10000000 /dev/zero | tr '\0' 'x'
  printf '\r\n\r\n2\r\n00:00:05,000 --> 00:00:06,000\r\nshort\r\n\r\n'
} > "$file"

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime"
: > "$work/results"
for _ in $(seq "$runs"); do
  start=$EPOCHREALTIME
  QUILLMARK_QUIT_AFTER_FIRST_PAINT=1 /usr/bin/time -f "%M" -o "$work/time" \
    "$work/program/quillmark" "$file" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
  end=$EPOCHREALTIME
  echo "$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", (e - s) * 1000 }') $(cat "$work/time")" \
    >> "$work/results"
done
median=$(cut -d' ' -f1 "$work/results" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
peak=$(cut -d' ' -f2 "$work/results" | sort -n | tail -1)
echo "one subtitle of 10 MB, $(wc -c < "$file") bytes, $runs runs:"
awk -v m="$median" 'BEGIN { printf "  start to painted grid %.0f ms, median (target < 1000)\n", m }'
awk -v p="$peak" 'BEGIN { printf "  peak %.1f MB (target < 100)\n", p / 1024 }'
