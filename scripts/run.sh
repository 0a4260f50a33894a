#!/usr/bin/env bash
# Builds the inspector and runs it with the stand-in kernel on the example
# workspace.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

plim_install_packages "${PLIM_PACKAGES[@]}"

build="$PLIM_ROOT/build/release"
plim_build "$build" -DCMAKE_BUILD_TYPE=Release -DPLIM_BUILD_TESTS=OFF -DPLIM_BUILD_BENCH=OFF

inspector="$build/plim-ei"
kernel="$build/tools/standin-kernel/plim"
workspace="$PLIM_ROOT/examples"
if [ ! -x "$inspector" ]; then
  echo "The inspector window is not built yet; once it is, this runs:"
  echo "  $inspector $kernel $workspace"
  exit 0
fi
exec "$inspector" "$kernel" "$workspace"
