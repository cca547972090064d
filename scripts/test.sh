#!/usr/bin/env bash
# Builds Tolvika and runs every test through CTest. Every offscreen test runs
# in an AddressSanitizer + UndefinedBehaviorSanitizer build (clang) with leak
# detection, and each input reader is then fuzzed briefly from its seed corpus.
# The media layer's tests run once more under ThreadSanitizer.
# The release build makes what ships (the program, its tools, the Debian
# package) and runs the real-desktop suite on that program, the package test,
# and the two test folders whose memory checks the sanitizers switch off (the
# soak's flat heap, the page tool's memory limit). The lint step reads the
# sanitizer tree's compile commands; it runs in the background from then on,
# taking the time the tests and the single-threaded fuzzer leave idle, and
# fails the command at its end if it found anything.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
jobs="$(nproc)"
start=$SECONDS
phase() { echo "== $1 ($((SECONDS - start)) s since the start)"; }
# Linking a few dozen programs against the toolkit takes a third of the time with lld.
link_flags=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld)

phase "sanitizer build"
# The fuzz targets are built in the same tree: the code under test carries the
# fuzzer's coverage instrumentation there, for the unit tests as well. At -O1
# the sanitized tests run about twice as fast as unoptimised, with the same
# checks; the tests' own code is compiled unoptimised (tests/CMakeLists.txt).
# Both trees compile the tests and benchmarks a batch of files at a time (most
# of a test file's time goes to parsing the same headers).
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTOLVIKA_SANITIZE=ON -DTOLVIKA_FUZZ=ON -DTOLVIKA_WERROR=ON \
  -DTOLVIKA_UNITY_TESTS=ON -DTOLVIKA_BENCH=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${link_flags[@]}" \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-asan -j"$jobs"

phase "lint (in the background from here) and sanitizer tests"
LINT_BUILD=build-asan nice -n 10 bash scripts/lint.sh > build-asan/lint.log 2>&1 &
lint=$!
# Many of the tests wait on timers and sounds, so more run at once than there are processors.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j"$((jobs + 2))"

phase "fuzzing"
# A short fuzzing run of every target; scripts/fuzz.sh TARGET SECONDS runs longer.
FUZZ_BUILD=build-asan bash scripts/fuzz.sh all 15

phase "thread sanitizer: the media layer's tests"
# The audio thread shares the media layer's playback state with the
# user-interface thread under a mutex; ThreadSanitizer watches that sharing in
# the media layer's own tests (the fake output's clock, SDL's dummy and disk
# drivers, no output at all) and in the main window's key-to-sound test on
# SDL's output. Only those tests and what they link are built.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DTOLVIKA_THREAD_SANITIZER=ON -DTOLVIKA_WERROR=ON \
  -DTOLVIKA_UNITY_TESTS=ON -DTOLVIKA_BENCH=OFF -DTOLVIKA_BUNDLED_DATA=OFF "${link_flags[@]}" \
  -DTOLVIKA_UNIT_TEST_FOLDERS="platform/mci;platform/mci_sdl;platform/mci_nosound;e2e/sdl" \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-tsan -j"$jobs" --target test_platform_mci test_platform_mci_sdl test_platform_mci_nosound \
  test_e2e_sdl
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/sanitizer/tsan.supp" \
  ctest --test-dir build-tsan --output-on-failure -j"$((jobs + 2))"

phase "release build"
# Line tables only (-g1): a failing desktop test's stack dump still names files
# and lines, and the tree builds faster than with full debug information.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVIKA_WERROR=ON "${link_flags[@]}" \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DTOLVIKA_UNIT_TESTS=ON -DTOLVIKA_UNIT_TEST_FOLDERS="soak;tools/page" -DTOLVIKA_UNITY_TESTS=ON
cmake --build build -j"$jobs"

phase "release tests"
ctest --test-dir build --output-on-failure -j"$jobs" --label-exclude desktop
phase "real-desktop suite"
# The built program on a real X display with a real sound server, as a person uses it.
ctest --test-dir build --output-on-failure -j"$jobs" --label-regex desktop

phase "waiting for the lint step"
lint_status=0
wait "$lint" || lint_status=$?
cat build-asan/lint.log
((lint_status == 0)) || { echo "lint failed"; exit 1; }
phase "done"
