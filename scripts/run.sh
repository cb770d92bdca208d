#!/usr/bin/env bash
# Builds Strumvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only the program and its data, also in a build folder that the tests were configured in.
cmake --build build -j"$(nproc)" --target strumvane
exec build/strumvane "$@"
