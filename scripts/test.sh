#!/usr/bin/env bash
# Builds Kestrum natively, with libFuzzer and cross-built for Windows, and runs every test:
# native unit tests (the window and model ones again under AddressSanitizer), a bounded fuzzing
# run, and the unit tests and end-to-end tests under Wine.
# Installs what it needs on Debian (run as root). Exits non-zero if any suite fails.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrum_ensure_packages || exit 1

failed=()
# run_suite VARIANT [TARGET...]: builds the variant (only the named test targets, when given)
# and runs its tests (only those).
run_suite() {
    local variant=$1 filter=()
    shift
    [ $# -gt 0 ] && filter=(-R "^($(IFS='|'; echo "$*"))\$")
    echo "=== $variant: build"
    if ! kestrum_build_variant "$variant" "$@"; then
        failed+=("$variant (build)")
        return
    fi
    echo "=== $variant: tests"
    ctest --test-dir "$kestrum_build/$variant" --output-on-failure "${filter[@]}" ||
        failed+=("$variant")
}

run_suite native
# The windows hold pointers into the model: a use after free there must fail a test.
run_suite asan window_tests mainbutton_tests barwindow_tests manager_tests store_tests
run_suite fuzz
kestrum_start_wine
trap kestrum_stop_wine EXIT
run_suite win32

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All test suites passed."
