#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds the editor and the converter, and
# starts the editor, opening FILE when one is given:  ./run.sh [FILE]
# Only the two programs are built; ./test.sh builds the tests, benchmarks and fuzz programs.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$here/build"
step() { printf '== %s\n' "$*"; }

step "Checking the build tools and libraries (apt-get installs what is missing)"
source "$here/scripts/ensure_deps.sh"
ensure_packages "${QM_BUILD_PACKAGES[@]}"

step "Configuring the build in $build (cmake)"
if ! configure_log=$(cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release 2>&1); then
  printf '%s\n' "$configure_log" >&2
  echo "run.sh: configuring failed; cmake's output is above" >&2
  exit 1
fi

step "Building the editor and the converter"
cmake --build "$build" -j"$(nproc)" --target quillmark quillmark-convert

step "Starting the editor: $build/src/app/quillmark $*"
exec "$build/src/app/quillmark" "$@"
