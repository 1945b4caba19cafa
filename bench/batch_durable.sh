#!/usr/bin/env bash
# What durable saving costs a batch run: 1000 SubRip files of 200 subtitles converted by
# `quillmark-convert --to microdvd -d OUT` into a folder on ext4 (the disk) and into one on
# tmpfs (/dev/shm, memory: nothing to wait for), in pairs whose order alternates. Each pair
# is timed twice: into an empty folder (every output new) and again into the same folder
# (every output replaces a file). Prints the median and range of each, and the ext4/tmpfs
# ratio of the medians.
# Every run writes into a folder of its own and nothing is deleted until the end: on an ext4
# without a journal (as on the build host) a new file skips the inodes freed in the last
# minute (six, while their table is not yet written back), so that creating files after
# deleting thousands costs up to 1 ms each. The replacing runs free 1000 old files each all
# the same, as any replacing does, and so slow the ext4 runs after them.
#   bench/batch_durable.sh [BUILD_DIR] [RUNS] [EXT4_FOLDER]
# EXT4_FOLDER (default: the system's temporary folder) must be on ext4. With
# BASELINE=/path/to/another/quillmark-convert the same pairs are also run with that program,
# for a before/after comparison.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
runs="${2:-7}"
ext4Parent="${3:-${TMPDIR:-/tmp}}"
cli="$build/src/quillmark-convert"
[ -x "$cli" ] || { echo "missing $cli" >&2; exit 1; }
fsType() { df --output=fstype "$1" | tail -1; }
[ "$(fsType "$ext4Parent")" = ext4 ] || { echo "$ext4Parent is not on ext4 ($(fsType "$ext4Parent"))" >&2; exit 1; }
[ "$(fsType /dev/shm)" = tmpfs ] || { echo "/dev/shm is not tmpfs" >&2; exit 1; }

disk="$(mktemp -d "$ext4Parent/qm-durable.XXXXXX")"
memory="$(mktemp -d /dev/shm/qm-durable.XXXXXX)"
trap 'rm -rf "$disk" "$memory"' EXIT
mkdir -p "$disk/in"
source "$here/bench/batch_files.sh"
make_batch_files "$disk/in"
files=("$disk"/in/*.srt)
cat "${files[@]}" > /dev/null  # the inputs are read from memory in every run

programs=(new)
declare -A exe=([new]="$cli")
if [ -n "${BASELINE:-}" ]; then
  [ -x "$BASELINE" ] || { echo "BASELINE $BASELINE is not a program" >&2; exit 1; }
  programs+=(baseline)
  exe[baseline]="$BASELINE"
fi

# One timed conversion into folder $2 with program $1; milliseconds appended to $3.
timed() {
  sync -f "$2"  # what earlier runs left to write is not counted in this one
  local start=$EPOCHREALTIME
  "${exe[$1]}" --quiet --to microdvd -d "$2" "${files[@]}"
  awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.1f\n", (e - s) * 1000 }' >> "$3"
}

for run in $(seq "$runs"); do
  places=(ext4 tmpfs)
  [ $((run % 2)) -eq 0 ] && places=(tmpfs ext4)
  for program in "${programs[@]}"; do
    for place in "${places[@]}"; do
      folder="$disk/out-$program-$run"
      [ "$place" = tmpfs ] && folder="$memory/out-$program-$run"
      mkdir "$folder"
      timed "$program" "$folder" "$disk/$program-$place-new"
      timed "$program" "$folder" "$disk/$program-$place-replace"
    done
  done
done

# "median (min-max)" of the numbers in file $1
summary() { sort -n "$1" | awk '{ v[NR] = $1 } END { printf "%8.1f ms  (%.1f-%.1f)", v[int((NR + 1) / 2)], v[1], v[NR] }'; }
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "1000 files x 200 subtitles, SubRip -> MicroDVD, quillmark-convert -d, $runs alternating pairs;"
echo "ext4 under $ext4Parent, tmpfs under /dev/shm; median (range) of the whole process:"
for program in "${programs[@]}"; do
  for kind in new replace; do
    printf "  %-8s %-7s  ext4 %s   tmpfs %s   ratio %.2f (target <= 2.00)\n" "$program" "$kind" \
      "$(summary "$disk/$program-ext4-$kind")" "$(summary "$disk/$program-tmpfs-$kind")" \
      "$(awk -v a="$(median "$disk/$program-ext4-$kind")" -v b="$(median "$disk/$program-tmpfs-$kind")" 'BEGIN { print a / b }')"
  done
done
if diff -rq "$disk/out-new-1" "$memory/out-new-1" > /dev/null; then
  echo "  outputs: identical on both ($(ls "$disk/out-new-1" | wc -l) files)"
else
  echo "  outputs: DIFFER" && exit 1
fi
