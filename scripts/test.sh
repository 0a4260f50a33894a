#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

plim_install_packages "${PLIM_PACKAGES[@]}"

build="$PLIM_ROOT/build/ci"
plim_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLIM_SANITIZE=ON

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
ctest --output-on-failure -j "$(plim_jobs)" --timeout 300
