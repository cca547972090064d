#!/usr/bin/env bash
# Builds Tolvika's benchmark in the release build and runs it: one table of
# start-up, key-to-page, key-to-sound and memory figures beside their targets.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tolvika_bench >/dev/null
exec ./build/tolvika_bench
