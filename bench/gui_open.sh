#!/usr/bin/env bash
# The editor opening a 20000-subtitle SubRip file, timed as a whole process from start to the
# grid's first paint, side by side with bench/gui_anchor (the same file in a bare Qt grid);
# then re-opening the same file in the running editor, and the peak memory of both.
#   bench/gui_open.sh [BUILD_DIR] [RUNS] [TEXT]   (BUILD_DIR configured with QM_GUI=ON QM_BENCH=ON)
# TEXT is ascii (the default), windows-1250 or utf-8: the subtitles' text then carries Czech
# letters in that encoding.
# Runs on the offscreen platform, so no X server is needed.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
runs="${2:-7}"
text="${3:-ascii}"
editor="$build/src/app/quillmark"
anchor="$build/bench/gui_anchor"
for exe in "$editor" "$anchor"; do
  [ -x "$exe" ] || { echo "missing $exe: build with -DQM_GUI=ON -DQM_BENCH=ON" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The editor runs from a program folder of its own whose settings record an earlier run, so
# that the About window of a first run does not hold up the timing.
mkdir -p "$work/program/Data"
cp "$editor" "$work/program/"
cp "$(dirname "$editor")"/Data/* "$work/program/Data/"
printf '[SETTINGS]\r\nExec=1\r\n' > "$work/program/Data/settings.ini"
editor="$work/program/quillmark"
file="$work/big.srt"
/usr/bin/python3 - "$file" "$text" <<'PY'
import sys
path, text = sys.argv[1], sys.argv[2]
words = ("Subtitle number {} with some text", "and a second line {}") if text == "ascii" else \
        ("Titulek číslo {} s nějakým textem", "a druhý řádek {} – žluťoučký kůň")
out = []
for i in range(1, 20001):
    s, e = i * 3, i * 3 + 2
    out.append("%d\r\n%02d:%02d:%02d,%03d --> %02d:%02d:%02d,500\r\n" % (
        i, s // 3600, s // 60 % 60, s % 60, i * 37 % 1000, e // 3600, e // 60 % 60, e % 60))
    out.append(words[0].format(i) + "\r\n" + words[1].format(i) + "\r\n\r\n")
codec = {"ascii": "ascii", "windows-1250": "cp1250", "utf-8": "utf-8"}[text]
open(path, "wb").write("".join(out).encode(codec))
PY

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
once() {  # command...: prints "milliseconds maxKB" for one run
  local start=$EPOCHREALTIME
  /usr/bin/time -f "%M" -o "$work/time" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
  local end=$EPOCHREALTIME
  echo "$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", (e - s) * 1000 }') $(cat "$work/time")"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Alternate the two programs so that both meet the same load on a shared machine.
: > "$work/editor"; : > "$work/anchor"
for _ in $(seq "$runs"); do
  once env QUILLMARK_QUIT_AFTER_FIRST_PAINT=1 "$editor" "$file" >> "$work/editor"
  once "$anchor" "$file" >> "$work/anchor"
done
editorTime=$(cut -d' ' -f1 "$work/editor" | median)
anchorTime=$(cut -d' ' -f1 "$work/anchor" | median)
editorPeak=$(cut -d' ' -f2 "$work/editor" | sort -n | tail -1)
anchorPeak=$(cut -d' ' -f2 "$work/anchor" | sort -n | tail -1)

echo "20000 subtitles ($text), $(wc -c < "$file") bytes, $runs runs each, median wall time:"
echo "  editor  ${editorTime} ms   peak ${editorPeak} KB"
echo "  anchor  ${anchorTime} ms   peak ${anchorPeak} KB"
awk -v e="$editorTime" -v a="$anchorTime" 'BEGIN { printf "  ratio   %.2f (target <= 1.30)\n", e / a }'
awk -v p="$editorPeak" 'BEGIN { printf "  editor peak %.1f MB (target < 45)\n", p / 1024 }'
echo "Re-opening the same file in the running editor, command to painted grid:"
QUILLMARK_QUIT_AFTER_FIRST_PAINT=1 QUILLMARK_BENCH_REOPEN=10 "$editor" "$file" 2>/dev/null | sed 's/^/  /'
