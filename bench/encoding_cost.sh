#!/usr/bin/env bash
# What reading and writing in the file's own encoding costs the converter: the same
# 20000-subtitle SubRip file in Windows-1250 and in UTF-8, converted to MicroDVD, CPU time
# (user + system) and wall time as hyperfine measures them, in interleaved rounds.
#   bench/encoding_cost.sh [OTHER_CONVERTER]
# With OTHER_CONVERTER (for example one built from an older commit) its Windows-1250 run is
# measured in the same rounds, for a before/after comparison.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
other=${1:-}
source "$root/scripts/ensure_deps.sh"
ensure_packages "${QM_BUILD_PACKAGES[@]}" hyperfine python3
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --target quillmark-convert >/dev/null
convert="$root/build/src/quillmark-convert"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$work" <<'PY'
import sys
folder = sys.argv[1]
words = "Žluťoučký kůň úpěl ďábelské ódy, příliš černé řeči šeptá".split()
srt = []
for i in range(1, 20001):
    start, end = i * 3000, i * 3000 + 2000
    clock = lambda ms: "%02d:%02d:%02d,%03d" % (ms // 3600000, ms // 60000 % 60, ms // 1000 % 60, ms % 1000)
    line1 = " ".join(words[(i + k) % len(words)] for k in range(5))
    line2 = " ".join(words[(i * 3 + k) % len(words)] for k in range(4))
    srt.append("%d\r\n%s --> %s\r\n%s\r\n%s\r\n\r\n" % (i, clock(start), clock(end), line1, line2))
text = "".join(srt)
open(folder + "/cp1250.srt", "wb").write(text.encode("cp1250"))
open(folder + "/utf8.srt", "wb").write(text.encode("utf-8"))
PY

cmds=("$convert --to microdvd --fps 25 -o $work/a.sub $work/cp1250.srt"
      "$convert --to microdvd --fps 25 -o $work/b.sub $work/utf8.srt")
names=("Windows-1250" "UTF-8")
if [ -n "$other" ]; then
  cmds+=("$other --to microdvd --fps 25 -o $work/c.sub $work/cp1250.srt")
  names+=("Windows-1250, other")
fi
rounds=7
for round in $(seq $rounds); do
  hyperfine -N --warmup 3 --runs 20 --export-json "$work/r$round.json" "${cmds[@]}" >/dev/null
done
/usr/bin/python3 - "$work" "$rounds" "${names[@]}" <<'PY'
import json, statistics, sys
folder, rounds, names = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
cpu = {n: [] for n in names}
wall = {n: [] for n in names}
for r in range(1, rounds + 1):
    results = json.load(open(f"{folder}/r{r}.json"))["results"]
    for name, res in zip(names, results):
        cpu[name].append((res["user"] + res["system"]) * 1000)
        wall[name].append(res["median"] * 1000)
for name in names:
    c, w = cpu[name], wall[name]
    print(f"{name:22s} CPU median {statistics.median(c):6.2f} ms (range {min(c):.2f}-{max(c):.2f})"
          f"   wall median {statistics.median(w):6.2f} ms (range {min(w):.2f}-{max(w):.2f})")
base = names[0]
for name in names[1:]:
    ratios = [a / b for a, b in zip(cpu[name], cpu[base])]
    print(f"CPU {name} / {base}: median {statistics.median(ratios):.3f} (range {min(ratios):.3f}-{max(ratios):.3f})")
PY
