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
export LSAN_OPTIONS=suppressions=$PLIM_ROOT/scripts/lsan.supp:print_suppressions=0
# The display tests draw through Mesa's software renderer on a private Xvfb
# server; -noreset keeps it from restarting whenever its last client leaves.
export LIBGL_ALWAYS_SOFTWARE=1
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --output-on-failure -j "$(plim_jobs)" --timeout 300
