#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) into
# build-fuzz/ and runs each for SECONDS (default 60) from the generated seeds. Fails on any
# finding; the input that caused it is kept as build-fuzz/findings/<target>-crash-*. Prints the
# executions of each target.
# Usage: fuzz.sh [SECONDS]   (FUZZ_BUILD_DIR overrides the folder, FUZZ_JOBS the build jobs)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${FUZZ_BUILD_DIR:-build-fuzz}"
cxx="$(command -v clang++ || command -v clang++-14 || true)"
if [ -z "$cxx" ]; then
    echo "fuzz.sh: clang++ is not installed (scripts/install-deps.sh installs it)" >&2
    exit 1
fi

# Absolute: the targets that run the whole program work in a scratch folder of their own.
build="$(realpath -m "$build")"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
    -DPELKIT_FUZZ=ON -DPELKIT_TESTS=OFF -DPELKIT_QT=OFF -DPELKIT_PORTAUDIO=OFF -DPELKIT_WERROR=ON \
    > /dev/null
cmake --build "$build" -j"${FUZZ_JOBS:-$(nproc)}" --target pelkit_fuzz
rm -rf "$build/seeds"
bash scripts/make-fuzz-corpus.sh "$build/seeds"
mkdir -p "$build/findings" "$build/logs"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
# Leaks of system libraries on malformed input, listed with their reason; the program's own stay
# findings.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
summary=""
while IFS= read -r target; do
    [ -n "$target" ] || continue
    corpus="$build/corpus/$target"  # grows from run to run; the seeds stay as generated
    mkdir -p "$corpus"
    dict=()
    [ -f "fuzz/$target.dict" ] && dict=(-dict="$PWD/fuzz/$target.dict")
    log="$build/logs/$target.log"
    echo "fuzz.sh: $target for ${seconds}s"
    status=0
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
        -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/findings/$target-" \
        "${dict[@]}" "$corpus" "$build/seeds/$target" > "$log" 2>&1 || status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    result="ok"
    if [ $status -ne 0 ]; then
        result="FINDING (exit $status)"
        failed+=("$target")
        tail -n 40 "$log" >&2
    fi
    summary+=$(printf '%-12s %12s executions  %s' "$target" "${execs:-?}" "$result")$'\n'
done < "$build/fuzz/fuzz_targets.txt"

echo
echo "fuzz.sh: ${seconds}s per target"
printf '%s' "$summary"
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: findings in: ${failed[*]} (inputs in $build/findings/)" >&2
    exit 1
fi
