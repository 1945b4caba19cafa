#!/usr/bin/env bash
# The converter against its floor (bench/durable_copy: read the file whole, replace the target
# durably), on the 20000-subtitle Windows-1250 SubRip file converted to MicroDVD, and the same
# file in UTF-8 against the Windows-1250 one. A pairing is one run of each of the three,
# back to back in an order that rotates, each timed by itself (wall clock, and user + system
# CPU from the kernel's account of that process); every ratio is taken within a pairing, and
# given as the median and range over PAIRINGS pairings, with the middle 80% beside the range.
# With HYPERFINE=1 the older measure is added: per pairing, one hyperfine run of RUNS runs of
# each command, whose mean CPU counts every slow outlier.
#   bench/converter_floor.sh [PAIRINGS] [RUNS]        (default 60 pairings; 20 runs)
# The output goes to the current folder's file system: run it where the files would live.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
pairings=${1:-60}
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

/usr/bin/python3 - "$work" "$pairings" "$floor" "$convert" <<'PY'
import os, statistics, sys, time
work, pairings, floor, convert = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
commands = {
    "floor": [floor, work + "/cp1250.srt", work + "/floor.sub"],
    "cp1250": [convert, "--to", "microdvd", "--fps", "25", "-o", work + "/q1250.sub", work + "/cp1250.srt"],
    "utf8": [convert, "--to", "microdvd", "--fps", "25", "-o", work + "/q8.sub", work + "/utf8.srt"],
}
quiet = os.open(os.devnull, os.O_WRONLY)

def timed(argv):
    start = time.perf_counter()
    pid = os.fork()
    if pid == 0:
        os.dup2(quiet, 1), os.dup2(quiet, 2)
        os.execv(argv[0], argv)
    _, status, usage = os.wait4(pid, 0)
    if status != 0:
        sys.exit("failed: " + " ".join(argv))
    return (time.perf_counter() - start) * 1000, (usage.ru_utime + usage.ru_stime) * 1000

names = list(commands)
runs = []
for p in range(pairings + 3):  # three warm-up pairings
    order = names[p % 3:] + names[:p % 3]
    pairing = {name: timed(commands[name]) for name in order}
    if p >= 3:
        runs.append(pairing)

def spread(values):
    values = sorted(values)
    tenth = values[len(values) // 10], values[len(values) - 1 - len(values) // 10]
    return "median %.2f  middle 80%% %.2f-%.2f  range %.2f-%.2f" % (
        statistics.median(values), tenth[0], tenth[1], values[0], values[-1])

for name in names:
    print("%-7s wall %s ms" % (name, spread(r[name][0] for r in runs)))
    print("%-7s CPU  %s ms" % ("", spread(r[name][1] for r in runs)))
ratios = {
    "CPU (user+sys), converter / floor": lambda r: r["cp1250"][1] / r["floor"][1],
    "wall, converter / floor": lambda r: r["cp1250"][0] / r["floor"][0],
    "CPU, UTF-8 / Windows-1250": lambda r: r["utf8"][1] / r["cp1250"][1],
    "wall, UTF-8 / Windows-1250": lambda r: r["utf8"][0] / r["cp1250"][0],
}
for label, ratio in ratios.items():
    print("%-34s %s  (%d pairings)" % (label, spread([ratio(r) for r in runs]), len(runs)))
PY

[ "${HYPERFINE:-0}" = 1 ] || exit 0
echo "hyperfine, mean CPU of $runs runs per command, 7 pairings:"
for p in $(seq 7); do
  hyperfine -N --warmup 3 --runs "$runs" --export-json "$work/p$p.json" \
    "$floor $work/cp1250.srt $work/floor.sub" \
    "$convert --to microdvd --fps 25 -o $work/q1250.sub $work/cp1250.srt" \
    "$convert --to microdvd --fps 25 -o $work/q8.sub $work/utf8.srt" >/dev/null
done
/usr/bin/python3 - "$work" <<'PY'
import json, statistics, sys
cpu = lambda r: r["user"] + r["system"]
ratios = []
for p in range(1, 8):
    floor, c1250, _ = json.load(open("%s/p%d.json" % (sys.argv[1], p)))["results"]
    ratios.append((cpu(c1250) / cpu(floor), c1250["median"] / floor["median"]))
for k, label in enumerate(("CPU, converter / floor", "wall, converter / floor")):
    values = [r[k] for r in ratios]
    print("  %-26s median %.2f  range %.2f-%.2f" % (label, statistics.median(values), min(values), max(values)))
PY
