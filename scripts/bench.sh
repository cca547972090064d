#!/usr/bin/env bash
# Builds Tolvika's benchmarks in the release build and runs them: one table of
# start-up, key-to-page, key-to-sound and memory figures beside their targets
# (offscreen, SDL's dummy audio driver), the text areas with the costliest text
# they hold, then the same moments on a real X display with a real sound server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tolvika_bench tolvika_bench_memo tolvika_bench_desktop >/dev/null
./build/tolvika_bench
echo
./build/tolvika_bench_memo
echo
exec ./build/tolvika_bench_desktop
