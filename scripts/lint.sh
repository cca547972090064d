#!/usr/bin/env bash
# The lint step: clang-format must leave every C++ file as it is, and
# clang-tidy (the checks in .clang-tidy) must find nothing in the program's
# own layers. Needs a configured build tree for its compile commands
# (default build/; LINT_BUILD names another). Exits non-zero on any finding.
#   bash scripts/lint.sh          format and tidy
#   bash scripts/lint.sh --fix    reformat the files in place, then tidy
set -euo pipefail
cd "$(dirname "$0")/.."
build=${LINT_BUILD:-build}

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --fix ]]; then
  clang-format -i "${sources[@]}"
fi
clang-format --dry-run --Werror "${sources[@]}"
echo "lint: clang-format finds nothing in ${#sources[@]} files"

# The program's layers; the tools, benchmarks and tests follow the same
# style but are left to the format check, to keep the test command's time.
mapfile -t units < <(git ls-files 'main.cpp' 'app/*.cpp' 'browser/*.cpp' 'platform/*.cpp' 'player/*.cpp' 'windows/*.cpp')
# clang-tidy reads each file with its own includes only: without the build's
# precompiled headers (which a gcc tree makes in a form clang cannot read), so
# that a file missing an include it needs is found here too.
mkdir -p "$build/lint"
python3 - "$build/compile_commands.json" "$build/lint/compile_commands.json" <<'PY'
import json, re, sys
pch = re.compile(r" (-Xclang -include-pch -Xclang \S+|-Xclang -include -Xclang \S+cmake_pch\.hxx|-include \S+cmake_pch\.hxx|-Winvalid-pch)(?=\s)")
entries = json.load(open(sys.argv[1]))
for entry in entries:
    entry["command"] = pch.sub("", entry["command"] + " ").rstrip()
json.dump(entries, open(sys.argv[2], "w"), indent=1)
PY
run-clang-tidy -quiet -p "$build/lint" -j "$(nproc)" "${units[@]/#/$PWD/}" > "$build/clang-tidy.log" 2>&1 || {
  grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u
  echo "lint: clang-tidy findings above (whole output in $build/clang-tidy.log)"
  exit 1
}
echo "lint: clang-tidy finds nothing in ${#units[@]} files"
