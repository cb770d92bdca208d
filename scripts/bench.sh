#!/usr/bin/env bash
# Builds every benchmark (-DSTRUMVANE_BENCH=ON, the shipped RelWithDebInfo build) in
# build-bench, or $STRUMVANE_BENCH_BUILD, and runs them one after another. Arguments go to
# each benchmark (e.g. --benchmark_filter=Strum).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${STRUMVANE_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTRUMVANE_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
# The window benchmarks need no screen.
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
mapfile -t benches < <(find "$build" -type f -perm -u+x -name '*_bench' | sort)
[ ${#benches[@]} -gt 0 ] || { echo "no benchmarks built"; exit 1; }
for b in "${benches[@]}"; do
  echo "== $(basename "$b")"
  "$b" "$@"
done
