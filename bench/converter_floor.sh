#!/usr/bin/env bash
# The converter against its floor (bench/durable_copy: read the file whole, replace the target
# durably), on the 20000-subtitle Windows-1250 SubRip file converted to MicroDVD, and the same
# file in UTF-8 against the Windows-1250 one. Each pairing is one hyperfine run of all three
# commands (RUNS runs each, interleaved by hyperfine's own order); the ratios of each pairing
# are then given as median and range over PAIRINGS pairings.
#   bench/converter_floor.sh [PAIRINGS] [RUNS]        (default 7 pairings of 20 runs)
# The output goes to the current folder's file system: run it where the files would live.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
pairings=${1:-7}
runs=${2:-20}
source "$root/scripts/ensure_deps.sh"
ensure_packages "${QM_BUILD_PACKAGES[@]}" hyperfine python3
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --target quillmark-convert durable_copy >/dev/null
convert="$root/build/src/quillmark-convert"
floor="$root/build/bench/durable_copy"
work=$(mktemp -d "$PWD/.converter-floor.XXXXXX")
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$work" <<'PY'
import sys
words = "Žluťoučký kůň úpěl ďábelské ódy, příliš černé řeči šeptá".split()
clock = lambda ms: "%02d:%02d:%02d,%03d" % (ms // 3600000, ms // 60000 % 60, ms // 1000 % 60, ms % 1000)
srt = []
for i in range(1, 20001):
    start, end = i * 3000, i * 3000 + 2000
    line1 = " ".join(words[(i + k) % len(words)] for k in range(5))
    line2 = " ".join(words[(i * 3 + k) % len(words)] for k in range(4))
    srt.append("%d\r\n%s --> %s\r\n%s\r\n%s\r\n\r\n" % (i, clock(start), clock(end), line1, line2))
text = "".join(srt)
open(sys.argv[1] + "/cp1250.srt", "wb").write(text.encode("cp1250"))
open(sys.argv[1] + "/utf8.srt", "wb").write(text.encode("utf-8"))
PY

for p in $(seq "$pairings"); do
  hyperfine -N --warmup 3 --runs "$runs" --export-json "$work/p$p.json" \
    "$floor $work/cp1250.srt $work/floor.sub" \
    "$convert --to microdvd --fps 25 -o $work/q1250.sub $work/cp1250.srt" \
    "$convert --to microdvd --fps 25 -o $work/q8.sub $work/utf8.srt" >/dev/null
done

/usr/bin/python3 - "$work" "$pairings" <<'PY'
import json, statistics, sys
work, pairings = sys.argv[1], int(sys.argv[2])
rows = {"CPU (user+sys), converter / floor": [], "wall, converter / floor": [],
        "CPU, UTF-8 / Windows-1250": [], "wall, UTF-8 / Windows-1250": []}
ms = {"floor": [], "cp1250": [], "utf8": []}
for p in range(1, pairings + 1):
    floor, c1250, c8 = json.load(open("%s/p%d.json" % (work, p)))["results"]
    cpu = lambda r: r["user"] + r["system"]
    rows["CPU (user+sys), converter / floor"].append(cpu(c1250) / cpu(floor))
    rows["wall, converter / floor"].append(c1250["median"] / floor["median"])
    rows["CPU, UTF-8 / Windows-1250"].append(cpu(c8) / cpu(c1250))
    rows["wall, UTF-8 / Windows-1250"].append(c8["median"] / c1250["median"])
    for key, r in zip(ms, (floor, c1250, c8)):
        ms[key].append((r["median"] * 1000, cpu(r) * 1000))
for key, values in ms.items():
    walls, cpus = zip(*values)
    print("%-8s wall median %.2f ms (%.2f-%.2f), CPU median %.2f ms (%.2f-%.2f)" %
          (key, statistics.median(walls), min(walls), max(walls), statistics.median(cpus), min(cpus), max(cpus)))
for name, values in rows.items():
    print("%-36s median %.2f  range %.2f-%.2f  (%d pairings)" %
          (name, statistics.median(values), min(values), max(values), len(values)))
PY
