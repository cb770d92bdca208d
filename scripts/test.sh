#!/usr/bin/env bash
# Builds Strumvane with its tests and runs every test, then builds and runs them all again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# The printing tests print through queues of their own on the CUPS scheduler.
bash scripts/start-cups.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTRUMVANE_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
bash scripts/test-sanitized.sh
