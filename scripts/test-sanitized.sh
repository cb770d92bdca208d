#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# a build folder of their own (build-asan, or $STRUMVANE_ASAN_BUILD) and runs every test
# there. Any sanitizer report ends the process that made it, so the run fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${STRUMVANE_ASAN_BUILD:-build-asan}

# Set before the build too: the build runs the tools that draw the pictures and write the
# progression files, and they are sanitized as well.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_init_order=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1"
# Qt, fontconfig and FluidSynth keep some allocations until the process ends, as does the
# program (its application object and its window instances): tests/lsan.supp names them.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTRUMVANE_TESTS=ON -DSTRUMVANE_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
