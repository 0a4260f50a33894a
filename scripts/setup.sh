# Shared set-up of the project's scripts: sourced, not run.
# Installs the Debian packages the build and the tests need (only what is
# missing, so a second run is quiet) and offers the configure-and-build step.

PLIM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

PLIM_PACKAGES=(
  cmake make g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev
  assimp-utils admesh python3-meshio  # independent mesh readers for the export tests
  clang libclang-rt-14-dev  # libFuzzer for the reader fuzz runs
  libx11-dev libgl-dev libgl1-mesa-dri xvfb xauth  # window, GL and the X server of the display tests
  libxtst-dev  # synthetic input for the display tests of the real program
  xclip  # reads the clipboard back in the clipboard display test
  zenity  # the native open and save dialogs (Native-IO), and their display test
  openbox  # a real window manager for the display test that needs one
)

plim_install_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq >/dev/null
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

plim_jobs() {
  nproc 2>/dev/null || echo 2
}

# plim_build DIR [cmake options...]: configure DIR (once) and build everything.
plim_build() {
  local dir=$1
  shift
  cmake -S "$PLIM_ROOT" -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j "$(plim_jobs)"
}
