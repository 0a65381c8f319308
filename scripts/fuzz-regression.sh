#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset: clang, ASan, UBSan) and runs each one over its seed
# corpus in fuzz/corpus/<target>/ and the test data folders it shares, so every seed still runs
# clean. Longer fuzzing sessions use the same binaries, e.g.
# build/fuzz/fuzz/regex_fuzz -max_total_time=600 <scratch dir> fuzz/corpus/regex_fuzz
set -euo pipefail
cd "$(dirname "$0")/.."

# Every fuzz target, by the name given to yc_add_fuzzer in fuzz/CMakeLists.txt.
targets=(
    decode_response_fuzz
    html_finder_fuzz
    regex_fuzz
)

# Test data read as further seeds where they stand, by target: the registrar answer pages are
# exactly the pages the HTML element finder meets.
declare -A shared_seeds=(
    [html_finder_fuzz]="tests/data/answer-pages"
)

cmake --preset fuzz
cmake --build --preset fuzz -j2 --target "${targets[@]}"
for target in "${targets[@]}"; do
    echo "== ${target}"
    seeds=("fuzz/corpus/${target}")
    if [[ -n "${shared_seeds[${target}]:-}" ]]; then
        seeds+=("${shared_seeds[${target}]}")
    fi
    "build/fuzz/fuzz/${target}" -runs=0 -timeout=30 "${seeds[@]}"
done
