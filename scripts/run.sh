#!/usr/bin/env bash
# Builds Kestrum.exe and runs it under Wine from a demo data folder (build/demo).
# With a DISPLAY it runs there until you quit it; without one it runs on a virtual X display,
# saves a screenshot and prints its path. Installs what it needs on Debian (run as root).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrum_ensure_packages
kestrum_build_variant win32

demo=$kestrum_build/demo
mkdir -p "$demo"
cp "$kestrum_build/win32/Kestrum.exe" "$demo/"

kestrum_start_wine
trap kestrum_stop_wine EXIT

if [ -n "${DISPLAY:-}" ]; then
    echo "Running $demo/Kestrum.exe on $DISPLAY"
    wine "$demo/Kestrum.exe"
    exit 0
fi

screenshot=$kestrum_build/demo-screenshot.png
display=:${KESTRUM_DISPLAY:-97}
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; kestrum_stop_wine' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wine "$demo/Kestrum.exe" &
program=$!
sleep "${KESTRUM_SETTLE_SECONDS:-4}"
import -window root "$screenshot"
kill "$program" 2>/dev/null || true
echo "Screenshot of Kestrum on a virtual display: $screenshot"
