# Sourced by run.sh and test.sh: installs the Debian packages that are missing, and nothing
# when everything is already there. Uses sudo only when not root.
ensure_packages() {
  local missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get -o DPkg::Lock::Timeout=300 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
    --no-install-recommends "${missing[@]}"
}

QM_BUILD_PACKAGES=(cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev libgl-dev)
QM_TEST_PACKAGES=(clang libclang-rt-14-dev xvfb xauth
  desktop-file-utils appstream dpkg-dev man-db shared-mime-info file bash-completion)
# Peers that read back what the converter writes (scripts/check_interop.sh).
QM_INTEROP_PACKAGES=(ffmpeg python3-aeidon)
