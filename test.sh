#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and runs every test:
#   1. the main build (editor, converter, tests) and all its tests, then the installed tree
#      and the Debian package checked (scripts/check_install.sh), then what the converter
#      writes read back by ffmpeg and aeidon and drawn by libass (scripts/check_interop.sh);
#   2. every test once more, GUI tests included, under AddressSanitizer +
#      UndefinedBehaviorSanitizer;
#   3. a short libFuzzer smoke run of every parser (clang).
# QM_WERROR=ON turns warnings into errors (CI sets it). The summary gives each stage's time.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure_deps.sh
ensure_packages "${QM_BUILD_PACKAGES[@]}" "${QM_TEST_PACKAGES[@]}" "${QM_INTEROP_PACKAGES[@]}"

jobs=$(nproc)
declare -a summary=()
stage_start=$SECONDS
stage_time() {  # the time since the last stage ended, which counts the stage's build
  echo "$((SECONDS - stage_start)) s"
  stage_start=$SECONDS
}
run_stage() {  # name, build dir, ctest args...
  local name=$1 dir=$2; shift 2
  local log="$dir/ctest.log"
  if ctest --test-dir "$dir" --output-on-failure -j"$jobs" "$@" 2>&1 | tee "$log"; then
    summary+=("$name: $(grep -E 'tests passed' "$log" | tail -1) ($(stage_time))")
  else
    summary+=("$name: FAILED ($(grep -E 'tests passed' "$log" | tail -1))")
    printf '\n== Summary ==\n'; printf '  %s\n' "${summary[@]}"
    exit 1
  fi
}

echo "== Main build =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_WERROR="${QM_WERROR:-OFF}" >/dev/null
cmake --build build -j"$jobs"
run_stage "unit and GUI tests" build -LE slow

echo "== Install check =="
if scripts/check_install.sh build; then
  summary+=("install check: passed ($(stage_time))")
else
  summary+=("install check: FAILED")
  printf '\n== Summary ==\n'; printf '  %s\n' "${summary[@]}"
  exit 1
fi

echo "== Interoperability (ffmpeg, aeidon, libass) =="
if scripts/check_interop.sh build | tee build/interop.log; then
  summary+=("interop: $(tail -1 build/interop.log | sed 's/^interop: //') ($(stage_time))")
else
  summary+=("interop: FAILED ($(tail -1 build/interop.log | sed 's/^interop: //'))")
  printf '\n== Summary ==\n'; printf '  %s\n' "${summary[@]}"
  exit 1
fi

echo "== All tests under ASan + UBSan =="
# -O1 and line tables only: the sanitizers' own advice, and a third less compile time than -O2 -g.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DQM_BENCH=OFF -DQM_SANITIZE=address,undefined -DQM_WERROR="${QM_WERROR:-OFF}" >/dev/null
cmake --build build-asan -j"$jobs"
run_stage "sanitizer tests" build-asan -LE 'slow|exhaustive'

if [ -f fuzz/run.sh ] && grep -q add_executable fuzz/CMakeLists.txt; then
  echo "== Fuzz smoke (clang, ASan + UBSan) =="
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_FUZZ=ON \
    -DQM_GUI=OFF -DQM_TESTS=OFF -DQM_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j"$jobs"
  run_stage "fuzz smoke" build-fuzz -L fuzz
fi

printf '\n== Summary ==\n'; printf '  %s\n' "${summary[@]}"
echo "All tests passed."
