#!/usr/bin/env bash
# Sets up, builds and runs every test: the whole project under a virtual X display, then the
# core library and its tests again with the address and undefined-behaviour sanitizers.
# The benchmarks are built too but not run (build/bench/kzv_bench runs them).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

JOBS=${JOBS:-$(nproc)}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$JOBS"
# -noreset: by default Xvfb resets whenever its last client leaves, and a test starting during
# that reset cannot connect ("could not connect to display"); parallel tests hit that window.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --test-dir build --output-on-failure -j "$JOBS"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKZV_SANITIZE=ON \
  -DKZV_BUILD_GUI=OFF -DKZV_BUILD_BENCH=OFF
cmake --build build-asan -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -L core --output-on-failure -j "$JOBS"

echo "All tests passed."
