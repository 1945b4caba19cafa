#!/usr/bin/env bash
# Interoperability: files that quillmark-convert writes are read back by ffmpeg and aeidon and
# drawn by libass (ffmpeg's subtitles filter); see scripts/check_interop.py for what is
# compared. Installs ffmpeg and python3-aeidon when they are missing.
#   scripts/check_interop.sh [BUILD_DIR]
# Peers that cannot read a case are named in the output instead of compared: aeidon reads the
# hour of a Sub Station Alpha time as one digit, so times from ten hours on go to ffmpeg only.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
source "$here/scripts/ensure_deps.sh"
ensure_packages "${QM_INTEROP_PACKAGES[@]}"
# aeidon is a Debian package: the system Python has it, a Python of one's own may not.
exec /usr/bin/python3 "$here/scripts/check_interop.py" "$build/src/quillmark-convert"
