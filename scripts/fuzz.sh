#!/usr/bin/env bash
# Fuzzes the input readers with libFuzzer: the JPEG loader, the WAV decoder,
# the text loader, the stored-layout reader, and the page tool's picture and
# sound imports.
#
#   bash scripts/fuzz.sh TARGET SECONDS     one target (jpeg, wav, text, layout, page_picture, page_sound)
#   bash scripts/fuzz.sh all SECONDS        every target, SECONDS each, two at a time
#
# In an "all" run the page tool's imports get at most ALL_RUN_CAP seconds
# each: most of their time goes into the outside decoders behind them, and
# the test run's time is tight. A run of one of them alone takes SECONDS.
# The targets are built in build-fuzz (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer), or in the tree FUZZ_BUILD names when it is one
# configured with fuzzing already (the test command passes its sanitizer
# tree, so that nothing is compiled a third time). Each run starts from the seed corpus in
# tests/fuzz/corpus/TARGET, which it only reads; what it learns goes to
# build-fuzz/fuzz/TARGET/corpus and any crashing input to
# build-fuzz/fuzz/TARGET/artifacts/, with the fuzzer's report on its output.
# Replay one input with: build-fuzz/tests/fuzz/fuzz_TARGET FILE
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { echo "usage: $0 TARGET|all SECONDS" >&2; exit 2; }
(($# == 2)) || usage
target=$1
seconds=$2
[[ $seconds =~ ^[0-9]+$ ]] || usage

build=${FUZZ_BUILD:-build-fuzz}
declare -A all_run_cap=([page_picture]=15 [page_sound]=15)
all_targets=()
for dir in tests/fuzz/*/; do
  name=$(basename "$dir")
  [[ $name == support || $name == corpus ]] && continue
  compgen -G "$dir*.cpp" > /dev/null && all_targets+=("$name")
done
if [[ $target == all ]]; then
  targets=("${all_targets[@]}")
elif [[ " ${all_targets[*]} " == *" $target "* ]]; then
  targets=("$target")
else
  echo "unknown fuzz target '$target'; known: ${all_targets[*]}" >&2
  exit 2
fi

if ! grep -q '^TOLVIKA_FUZZ:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVIKA_FUZZ=ON -DTOLVIKA_SANITIZE=ON \
    -DBUILD_TESTING=OFF -DTOLVIKA_BUNDLED_DATA=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ > /dev/null
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp"

# Runs one target; its whole output goes to build-fuzz/fuzz/TARGET/log.
run_one() {
  local name=$1 work="$build/fuzz/$1" limit=$seconds
  if [[ $target == all && -n ${all_run_cap[$name]:-} ]] && ((limit > all_run_cap[$name])); then
    limit=${all_run_cap[$name]}
  fi
  mkdir -p "$work/corpus" "$work/artifacts"
  if "$build/tests/fuzz/fuzz_$name" -max_total_time="$limit" -rss_limit_mb=2048 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
      "$work/corpus" "tests/fuzz/corpus/$name" > "$work/log" 2>&1; then
    echo "fuzz_$name: no crash in ${limit} s ($(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | grep -o '[0-9]*$') runs)"
  else
    echo "fuzz_$name: FAILED; the fuzzer's report follows ($work/log)"
    tail -n 60 "$work/log"
    return 1
  fi
}

# Two at a time: each fuzzer keeps one core busy.
parallel=$(( $(nproc) < 2 ? 1 : 2 ))
status=0
pids=()
for name in "${targets[@]}"; do
  run_one "$name" &
  pids+=($!)
  if ((${#pids[@]} >= parallel)); then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do
  wait "$pid" || status=1
done
exit $status
