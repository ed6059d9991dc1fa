#!/usr/bin/env bash
# Builds the fuzz targets (clang, ASan, UBSan) and runs each one for the given
# number of seconds (default 60) on a copy of its seed corpus, after replaying
# every regression input. Usage: fuzz.sh [SECONDS] [TARGET...]
#
# What a run finds (crash-*, timeout-*, oom-*, leak-*, slow-unit-*) is kept in
# build-fuzz/findings/<target>/ and named at the end; an input worth keeping
# goes into tests/fuzz/regressions/<name>/ under a name that says what it
# caught, where CTest replays it in every build.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}; shift || true
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in tests/fuzz/fuzz_*.cpp; do
        [ -e "$f" ] || continue
        targets+=("$(basename "$f" .cpp)")
    done
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/fuzz/lsan.supp}
findings=build-fuzz/findings
work=""
# The work folder of the target that runs goes however the script ends; what
# it found is copied out first.
keep_findings() {
    [ -n "$work" ] && [ -d "$work" ] || return 0
    local kept=()
    for artifact in "$work"/crash-* "$work"/timeout-* "$work"/oom-* "$work"/leak-* "$work"/slow-unit-*; do
        [ -e "$artifact" ] || continue
        mkdir -p "$findings/$name"
        cp "$artifact" "$findings/$name/"
        kept+=("$findings/$name/$(basename "$artifact")")
    done
    if [ ${#kept[@]} -gt 0 ]; then
        echo "kept for $target:"; printf '  %s\n' "${kept[@]}"
    fi
}
clean_up() {
    keep_findings
    [ -n "$work" ] && rm -rf "$work" "$work.log"
    work=""
}
trap clean_up EXIT
trap 'clean_up; trap - INT; kill -INT $$' INT
trap 'clean_up; exit 143' TERM
status=0
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    exe=build-fuzz/bin/$target
    work=$(mktemp -d)
    [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$work/"
    regressions=()
    [ -d "tests/fuzz/regressions/$name" ] && regressions=(tests/fuzz/regressions/"$name"/*)
    if [ ${#regressions[@]} -gt 0 ] && [ -e "${regressions[0]}" ]; then
        if ! "$exe" -rss_limit_mb=4096 "${regressions[@]}" >"$work.log" 2>&1; then
            echo "FAIL $target: a regression input fails again"; tail -n 30 "$work.log"; status=1
        fi
    fi
    if "$exe" -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/" "$work" >"$work.log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work.log" | grep -o '[0-9]*$' || true)
        echo "ok   $target: ${runs:-?} runs in ${seconds}s"
    else
        echo "FAIL $target"; tail -n 40 "$work.log"
        status=1
    fi
    clean_up
done
exit $status
