#!/usr/bin/env bash
# Builds Kestrum natively, with libFuzzer and cross-built for Windows, and runs every test:
# native unit tests (the window and model ones again under AddressSanitizer), a bounded fuzzing
# run, and the unit tests and end-to-end tests under Wine, on the 32-bit build where this machine
# runs 32-bit code and on the 64-bit build where it does not; where it runs both, the 64-bit
# build's unit tests run too. Installs what it needs on Debian (run as root). Exits non-zero if
# any suite fails; the summary names every suite that ran and any that did not.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrum_ensure_packages || exit 1
kestrum_choose_windows_build

# Past this many seconds the second Windows build's unit tests are left out, so that the whole
# command stays well within the half hour CI allows.
second_build_budget=$((18 * 60))

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
kestrum_start_wine
trap kestrum_stop_wine EXIT
run_suite "$kestrum_windows_build (unit and end to end)" "$kestrum_windows_build"
if [ "$kestrum_windows_build" = win32 ]; then
    if [ "$SECONDS" -lt "$second_build_budget" ]; then
        kestrum_stop_wine
        kestrum_start_wine win64
        run_suite "win64 (unit)" win64 -LE e2e
    else
        left_out+=("win64 (unit): $((SECONDS / 60)) minutes had passed")
    fi
else
    left_out+=("win32 (unit and end to end): this machine does not run it")
fi

printf -v passed_list '%s; ' "${passed[@]}"
echo "Passed: ${passed_list%; }"
[ ${#left_out[@]} -gt 0 ] && printf 'Not run: %s\n' "${left_out[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All test suites passed ($((SECONDS / 60)) minutes)."
