#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and starts the editor,
# opening FILE when one is given:  ./run.sh [FILE]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/scripts/ensure_deps.sh"
ensure_packages "${QM_BUILD_PACKAGES[@]}"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$here/build" -j"$(nproc)"
if [ -x "$here/build/src/app/quillmark" ]; then
  exec "$here/build/src/app/quillmark" "$@"
fi
# Until the editor window lands, the converter stands in.
if [ $# -eq 0 ]; then set -- --help; fi
exec "$here/build/src/quillmark-convert" "$@"
