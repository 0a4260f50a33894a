#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

plim_install_packages "${PLIM_PACKAGES[@]}"

# Each library includes only headers of its own and lower layers.
"$PLIM_ROOT/scripts/check_layers.sh"

build="$PLIM_ROOT/build/ci"
plim_build "$build" -DCMAKE_BUILD_TYPE=CI -DPLIM_SANITIZE=ON

# --- Bounded fuzz runs of the kernel's readers (clang + libFuzzer) ---------
# Each target runs for a fixed time from its seeds; any crash, leak or
# sanitizer report makes the fuzzer exit non-zero and fails the script.
fuzz_build="$PLIM_ROOT/build/fuzz"
CC=clang CXX=clang++ cmake -S "$PLIM_ROOT/tests/kernel/fuzz" -B "$fuzz_build" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$fuzz_build" -j "$(plim_jobs)"
for target in fuzz_interop_reader fuzz_parse_report fuzz_parallel_builder; do
  corpus=$(mktemp -d)
  "$fuzz_build/$target" -max_total_time=20 -rss_limit_mb=2048 -timeout=10 \
    "$corpus" "$PLIM_ROOT/tests/kernel/fuzz/seeds/$target" 2>"$fuzz_build/$target.log" ||
    { tail -n 60 "$fuzz_build/$target.log"; exit 1; }
  rm -rf "$corpus"
  echo "fuzz $target: $(grep -o 'Done [0-9]* runs' "$fuzz_build/$target.log")"
done

# --- Kernel job runner under ThreadSanitizer: only its own test targets.
tsan_build="$PLIM_ROOT/build/tsan"
cmake -S "$PLIM_ROOT" -B "$tsan_build" -DCMAKE_BUILD_TYPE=CI -DPLIM_TSAN=ON \
  -DPLIM_BUILD_WINDOW=OFF -DPLIM_BUILD_BENCH=OFF >/dev/null
cmake --build "$tsan_build" -j "$(plim_jobs)" --target kernel_job_runner_unit kernel_job_runner_integration
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
for runner_test in kernel_job_runner_unit kernel_job_runner_integration; do
  "$tsan_build/tests/kernel/job_runner/$runner_test" --gtest_brief=1
done

# verify_asan_link_order=0: the display tests preload the GL driver ahead of
# the sanitizer runtime (see tests/CMakeLists.txt).
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:verify_asan_link_order=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PLIM_ROOT/scripts/lsan.supp:print_suppressions=0
# The display tests draw through Mesa's software renderer on a private Xvfb
# server; -noreset keeps it from restarting whenever its last client leaves.
export LIBGL_ALWAYS_SOFTWARE=1
# CTest runs last so that its summary closes the output.
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --output-on-failure -j "$(plim_jobs)" --timeout 300
