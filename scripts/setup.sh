# Shared set-up of run.sh and test.sh: checks the Debian packages the build
# needs (installing them when we may) and configures and builds one build
# folder. Sourced, not run.
#
#   cladeworks_build BUILD_DIR TARGET [cmake options...]
#     TARGET "all" builds everything.

CLADEWORKS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

CLADEWORKS_PACKAGES=(
  build-essential cmake
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev googletest libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth
)

cladeworks_check_packages() {
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "cladeworks: not a Debian-style system; make sure these (or their equivalents) are installed: ${CLADEWORKS_PACKAGES[*]}" >&2
    return 0
  fi
  local missing=() pkg
  for pkg in "${CLADEWORKS_PACKAGES[@]}"; do
    if [[ "$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null)" != "install ok installed" ]]; then
      missing+=("$pkg")
    fi
  done
  ((${#missing[@]} == 0)) && return 0
  if [[ "$(id -u)" -eq 0 ]]; then
    echo "cladeworks: installing ${missing[*]}" >&2
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  else
    echo "cladeworks: missing packages. Install them with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
}

cladeworks_build() {
  local dir="$1" target="$2"
  shift 2
  cladeworks_check_packages
  cmake -S "$CLADEWORKS_ROOT" -B "$CLADEWORKS_ROOT/$dir" "$@"
  if [[ "$target" == all ]]; then
    cmake --build "$CLADEWORKS_ROOT/$dir" -j"$(nproc)"
  else
    cmake --build "$CLADEWORKS_ROOT/$dir" -j"$(nproc)" --target "$target"
  fi
}
