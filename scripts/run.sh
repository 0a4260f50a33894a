#!/usr/bin/env bash
# Builds the inspector and runs it with the stand-in kernel on the example
# workspace. It needs an X display; without one it says so and stops.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

plim_install_packages "${PLIM_PACKAGES[@]}"

build="$PLIM_ROOT/build/release"
plim_build "$build" -DCMAKE_BUILD_TYPE=Release -DPLIM_BUILD_TESTS=OFF -DPLIM_BUILD_BENCH=OFF

inspector="$build/plim-ei"
kernel="$build/tools/standin-kernel/plim"
workspace="$PLIM_ROOT/examples"
if [ -z "${DISPLAY:-}" ]; then
  echo "plim-ei opens a window and needs an X display, but DISPLAY is not set." >&2
  echo "Run this script from a desktop session, or give it a virtual X server:" >&2
  echo "  xvfb-run -a $0" >&2
  exit 1
fi
exec "$inspector" "$kernel" "$workspace"
