#!/bin/bash
# Runs every fuzz target of a fuzz build for a given time and prints what each did.
#
#   scripts/fuzz.sh BUILD_DIR [SECONDS] [TARGET...]
#
# SECONDS per target (default 600). Without targets, all of them (BUILD_DIR/fuzz/targets.txt, written by
# fuzz/CMakeLists.txt). New inputs go to BUILD_DIR/fuzz/found/<target>, findings (crashing inputs) to
# BUILD_DIR/fuzz/findings/<target>-*; each run's full log to BUILD_DIR/fuzz/logs/<target>.log. Ends with a
# table of executions, coverage (edges and features) and findings per target; fails when any target
# found something.
set -u
build=${1:?usage: fuzz.sh BUILD_DIR [SECONDS] [TARGET...]}
seconds=${2:-600}
shift $(($# > 1 ? 2 : 1))
list="$build/fuzz/targets.txt"
[ -f "$list" ] || { echo "no $list: configure and build the fuzz build first" >&2; exit 2; }
mkdir -p "$build/fuzz/logs" "$build/fuzz/findings"
# Leaks inside system libraries (font configuration) are not the program's.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")/.." && pwd)/tests/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

summary=()
failed=0
while read -r target executable rest; do
    [ -n "$target" ] || continue
    if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$target"; then continue; fi
    log="$build/fuzz/logs/$target.log"
    echo "== $target: $seconds s"
    # shellcheck disable=SC2086 # the options and folders are one word each
    "$executable" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz/findings/$target-" $rest >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
    findings=$(find "$build/fuzz/findings" -name "$target-*" | wc -l)
    if [ $status -ne 0 ]; then
        failed=1
        grep -m1 -E 'ERROR|SUMMARY|abort|==[0-9]+==' "$log"
    fi
    summary+=("$(printf '%-16s %12s executions  %-22s %s findings (exit %s)' "$target" "${runs:-?}" \
        "${coverage:-cov: ?}" "$findings" "$status")")
done <"$list"

echo
echo "Fuzzing, $seconds s per target:"
printf '  %s\n' "${summary[@]}"
exit $failed
