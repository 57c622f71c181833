#!/usr/bin/env bash
# Builds Kestrum natively, with libFuzzer and cross-built for Windows, and runs every test:
# native unit tests (the window and model ones again under AddressSanitizer), a bounded fuzzing
# run, and under Wine the 64-bit build's unit and end-to-end tests on every machine; where this
# machine runs 32-bit code, the 32-bit build's unit tests and as many of its end-to-end tests as
# the time allows. Installs what it needs on Debian (run as root). Exits non-zero if any suite
# fails; the summary names every suite that ran and every one, or every test, that did not.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrum_ensure_packages || exit 1
why_no_win32=$(kestrum_why_no_win32)

# The 32-bit build's end-to-end tests start one by one while fewer minutes than this have passed,
# so that the whole command stays within 40 minutes on a 2-core machine (each takes 1 to 3).
win32_e2e_budget=$((34 * 60))

passed=() failed=() left_out=()
# run_suite NAME VARIANT [CTEST_OPTION...] [-- TARGET...]: builds the variant (only the targets
# after --, when given) and runs its tests that the CTest options select.
run_suite() {
    local name=$1 variant=$2 selection=() targets=()
    shift 2
    while [ $# -gt 0 ] && [ "$1" != -- ]; do selection+=("$1"); shift; done
    [ $# -gt 0 ] && shift && targets=("$@")
    echo "=== $name: build"
    if ! kestrum_build_variant "$variant" "${targets[@]}"; then
        failed+=("$name (build)")
        return
    fi
    echo "=== $name: tests"
    if ctest --test-dir "$kestrum_build/$variant" --output-on-failure "${selection[@]}"; then
        passed+=("$name")
    else
        failed+=("$name")
    fi
}

# The tests of the named targets only, built alone.
only() {
    echo -R "^($(IFS='|'; echo "$*"))\$" -- "$@"
}

run_suite native native
# The windows (the command window's rows too) hold pointers into the model: a use after free
# there must fail a test.
run_suite asan asan $(only window_tests mainbutton_tests barwindow_tests command_tests \
                           manager_tests store_tests app_tests)
run_suite fuzz fuzz
# What users get, both builds: no library imported that Windows would look for beside the program.
if kestrum_build_variant release Kestrum && kestrum_build_variant release64 Kestrum &&
    python3 "$kestrum_root/tests/imports_check.py" "$kestrum_build"/release{,64}/Kestrum.exe; then
    passed+=("imports of the release builds")
else
    failed+=("imports of the release builds")
fi
# The end-to-end tests of the built variant $2 (the suite $1), each alone while time is left: those left
# out are named in the summary.
run_e2e_within_budget() {
    local name=$1 variant=$2 test suite_failed=
    echo "=== $name: tests"
    for test in $(ctest --test-dir "$kestrum_build/$variant" -N -L e2e | sed -n 's/^ *Test *#[0-9]*: //p'); do
        if [ "$SECONDS" -ge "$win32_e2e_budget" ]; then
            left_out+=("$name: $test ($((SECONDS / 60)) minutes had passed)")
        elif ! ctest --test-dir "$kestrum_build/$variant" --output-on-failure -R "^$test\$"; then
            suite_failed=1
        fi
    done
    if [ -n "$suite_failed" ]; then failed+=("$name"); else passed+=("$name"); fi
}

trap kestrum_stop_wine EXIT
# The build most users take, everywhere.
kestrum_start_wine win64
run_suite "win64 (unit and end to end)" win64
if [ -z "$why_no_win32" ]; then
    kestrum_stop_wine
    kestrum_start_wine win32
    run_suite "win32 (unit)" win32 -LE e2e
    run_e2e_within_budget "win32 (end to end)" win32
else
    left_out+=("win32 (unit and end to end): $why_no_win32")
fi

printf -v passed_list '%s; ' "${passed[@]}"
echo "Passed: ${passed_list%; }"
[ ${#left_out[@]} -gt 0 ] && printf 'Not run: %s\n' "${left_out[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All test suites passed ($((SECONDS / 60)) minutes)."
