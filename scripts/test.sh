#!/usr/bin/env bash
# Builds Tolvika and runs every test through CTest: once in the release build,
# then the real-desktop suite on the program built there, once more in an
# AddressSanitizer + UndefinedBehaviorSanitizer build (clang) with leak
# detection; then builds the fuzz targets and fuzzes each input reader briefly
# from its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVIKA_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" --label-exclude desktop
# The built program on a real X display with a real sound server, as a person uses it.
ctest --test-dir build --output-on-failure -j"$jobs" --label-regex desktop

# The fuzz targets are built in the same tree: the code under test carries the
# fuzzer's coverage instrumentation there, for the unit tests as well.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTOLVIKA_SANITIZE=ON -DTOLVIKA_FUZZ=ON -DTOLVIKA_WERROR=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

# A short fuzzing run of every target; scripts/fuzz.sh TARGET SECONDS runs longer.
FUZZ_BUILD=build-asan bash scripts/fuzz.sh all 25
