#!/usr/bin/env bash
# Times quillmark-convert side by side with ffmpeg, aeidon (gaupol's library) and the floor
# (bench/durable_copy: the file read whole and written over the target as safely as the
# converter writes it), on generated 20000-subtitle Windows-1250 files.
#   bench/compare.sh [SUBTITLES]      (default 20000; also runs 2000 for the growth check)
# Installs ffmpeg, gaupol and hyperfine from apt when missing. Prints paired ratios.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
count=${1:-20000}
source "$root/scripts/ensure_deps.sh"
ensure_packages "${QM_BUILD_PACKAGES[@]}" ffmpeg gaupol hyperfine time python3
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --target quillmark-convert durable_copy >/dev/null
convert="$root/build/src/quillmark-convert"
copy="$root/build/bench/durable_copy"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

generate() {  # count, folder: writes in.srt and in.sub (Windows-1250, CR LF)
  /usr/bin/python3 - "$1" "$2" <<'PY'
import sys
n, folder = int(sys.argv[1]), sys.argv[2]
words = "Žluťoučký kůň úpěl ďábelské ódy, příliš černé řeči šeptá".split()
srt, sub = [], []
for i in range(1, n + 1):
    start = i * 3000
    end = start + 2000
    def clock(ms):
        return "%02d:%02d:%02d,%03d" % (ms // 3600000, ms // 60000 % 60, ms // 1000 % 60, ms % 1000)
    line1 = " ".join(words[(i + k) % len(words)] for k in range(5))
    line2 = " ".join(words[(i * 3 + k) % len(words)] for k in range(4))
    srt.append("%d\r\n%s --> %s\r\n%s\r\n%s\r\n\r\n" % (i, clock(start), clock(end), line1, line2))
    sub.append("{%d}{%d}%s|%s\r\n" % (round(start * 0.025), round(end * 0.025), line1, line2))
open(folder + "/in.srt", "wb").write("".join(srt).encode("cp1250"))
open(folder + "/in.sub", "wb").write("".join(sub).encode("cp1250"))
PY
}

cat > "$work/aeidon_convert.py" <<'PY'
import sys, aeidon
source, target, fmt = sys.argv[1], sys.argv[2], sys.argv[3]
project = aeidon.Project(framerate=aeidon.framerates.FPS_25_000)
project.open_main(source, "cp1250")
out = aeidon.files.new(getattr(aeidon.formats, fmt), target, "cp1250")
project.save_main(out)
PY

mean() {  # hyperfine json -> mean seconds of command index $2
  /usr/bin/python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['results'][int(sys.argv[2])]['mean'])" "$1" "$2"
}
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

direction() {  # label, input, quillmark format, ffmpeg output ext or "", aeidon format, output ext
  local label=$1 in=$2 qfmt=$3 fext=$4 afmt=$5 ext=$6
  local cmds=("$copy $in $work/copy.$ext" "$convert --to $qfmt --fps 25 -o $work/q.$ext $in")
  local names=(copy quillmark)
  if [ -n "$fext" ]; then
    cmds+=("ffmpeg -nostdin -y -loglevel error -sub_charenc CP1250 -i $in $work/f.$fext"); names+=(ffmpeg)
  fi
  cmds+=("/usr/bin/python3 $work/aeidon_convert.py $in $work/a.$ext $afmt"); names+=(aeidon)
  hyperfine -N --warmup 3 --min-runs 10 --export-json "$work/h.json" "${cmds[@]}" >/dev/null 2>&1 ||
    hyperfine --warmup 3 --min-runs 10 --export-json "$work/h.json" "${cmds[@]}" >/dev/null
  local -A t
  for i in "${!names[@]}"; do t[${names[$i]}]=$(mean "$work/h.json" "$i"); done
  local mem
  mem=$(peak_kb "$convert" --to "$qfmt" --fps 25 -o "$work/q.$ext" "$in")
  printf '%-22s copy %7.2f ms  quillmark %7.2f ms (%.2fx floor, %5.1f MB peak)' "$label" \
    "$(echo "${t[copy]}*1000" | bc -l)" "$(echo "${t[quillmark]}*1000" | bc -l)" \
    "$(echo "${t[quillmark]}/${t[copy]}" | bc -l)" "$(echo "$mem/1024" | bc -l)"
  [ -n "${t[ffmpeg]:-}" ] && printf '  ffmpeg %.1fx slower' "$(echo "${t[ffmpeg]}/${t[quillmark]}" | bc -l)"
  printf '  aeidon %.1fx slower\n' "$(echo "${t[aeidon]}/${t[quillmark]}" | bc -l)"
}

ensure_packages bc
mkdir -p "$work/small" "$work/big"
generate 2000 "$work/small"
generate "$count" "$work/big"
echo "Files: $(stat -c %s "$work/big/in.srt") bytes SubRip, $(stat -c %s "$work/big/in.sub") bytes MicroDVD ($count subtitles)"
direction "SubRip -> MicroDVD" "$work/big/in.srt" microdvd "" MICRODVD sub
direction "SubRip -> SSA" "$work/big/in.srt" ssa ssa SSA ssa
direction "MicroDVD -> SubRip" "$work/big/in.sub" srt srt SUBRIP srt
direction "SubRip -> SubRip" "$work/big/in.srt" srt srt SUBRIP srt

hyperfine -N --warmup 3 --min-runs 20 --export-json "$work/g.json" \
  "$convert --to srt -o $work/g.srt $work/small/in.srt" "$convert --to srt -o $work/g.srt $work/big/in.srt" >/dev/null 2>&1
small=$(mean "$work/g.json" 0); big=$(mean "$work/g.json" 1)
printf 'Growth 2000 -> %s subtitles (SubRip -> SubRip): %.2f ms -> %.2f ms (x%.2f for x%d the input)\n' \
  "$count" "$(echo "$small*1000" | bc -l)" "$(echo "$big*1000" | bc -l)" "$(echo "$big/$small" | bc -l)" $((count / 2000))
echo "Converter's dynamic libraries: $(ldd "$convert" | awk '{print $1}' | tr '\n' ' ')"
