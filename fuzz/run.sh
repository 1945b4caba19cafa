#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) for SECONDS each, two at a time, and prints the
# executions per second and any findings:   fuzz/run.sh SECONDS [TARGET...]
# QM_FUZZ_RUNS=N ends each target after N executions (or SECONDS, whichever comes first);
# QM_FUZZ_JOBS=1 runs one target at a time. Inputs go up to 1 MiB.
# Inputs are picked less often the longer they take: a file read up to the table's 20000
# subtitles and written in all eleven layouts costs a thousand small ones, and without this
# such inputs would take most of the time.
# Findings land in build-fuzz/artifacts/; minimise one with
#   build-fuzz/fuzz/<target> -minimize_crash=1 -runs=100000 <artifact>
# and commit it under fuzz/regress/<target>/ so that every build replays it.
set -euo pipefail
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/ensure_deps.sh"
ensure_packages clang libclang-rt-14-dev cmake ninja-build
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQM_FUZZ=ON -DQM_GUI=OFF -DQM_TESTS=OFF -DQM_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(cd "$build/fuzz" && ls fuzz_* | grep -v '\.' | sort)
fi
mkdir -p "$build/artifacts" "$build/logs"

run_one() {
  local t=$1 dict=()
  [ -f "$root/fuzz/dict/$t.dict" ] && dict=(-dict="$root/fuzz/dict/$t.dict")
  mkdir -p "$build/scratch/$t"
  "$build/fuzz/$t" -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 -malloc_limit_mb=256 \
    -max_len=1048576 -entropic_scale_per_exec_time=1 ${QM_FUZZ_RUNS:+-runs=$QM_FUZZ_RUNS} -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" "${dict[@]}" \
    "$build/scratch/$t" "$root/fuzz/corpus/$t" "$root/fuzz/regress/$t" >"$build/logs/$t.log" 2>&1 || true
}
export -f run_one
export build root seconds QM_FUZZ_RUNS
printf '%s\n' "${targets[@]}" | xargs -P "${QM_FUZZ_JOBS:-2}" -I{} bash -c 'run_one {}'

status=0
printf '%-26s %12s %10s %s\n' target executions exec/s findings
for t in "${targets[@]}"; do
  log="$build/logs/$t.log"
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  found=$(find "$build/artifacts" -name "$t-*" | wc -l)
  printf '%-26s %12s %10s %s\n' "$t" "${runs:-0}" "${rate:-0}" "$found"
  [ "$found" -gt 0 ] && status=1
done
exit $status
