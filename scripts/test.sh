#!/usr/bin/env bash
# Builds Kestrum natively, with libFuzzer and cross-built for Windows, and runs every test:
# native unit tests, a bounded fuzzing run, and the unit tests under Wine.
# Installs what it needs on Debian (run as root). Exits non-zero if any suite fails.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrum_ensure_packages || exit 1

failed=()
run_suite() {
    local variant=$1
    echo "=== $variant: build"
    if ! kestrum_build_variant "$variant"; then
        failed+=("$variant (build)")
        return
    fi
    echo "=== $variant: tests"
    ctest --test-dir "$kestrum_build/$variant" --output-on-failure || failed+=("$variant")
}

run_suite native
run_suite fuzz
kestrum_start_wine
trap kestrum_stop_wine EXIT
run_suite win32

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All test suites passed."
