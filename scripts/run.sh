#!/usr/bin/env bash
# Builds Kestrum.exe and runs it under Wine from a demo data folder (build/demo).
# With a DISPLAY it runs there until you quit it; without one it runs on a virtual X display,
# brings the bar down with the pointer, saves a screenshot, prints its path and closes the
# program again. Installs what it needs on Debian (run as root).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrum_ensure_packages
kestrum_build_variant win32

demo=$kestrum_build/demo
mkdir -p "$demo"
cp "$kestrum_build/win32/Kestrum.exe" "$demo/"
[ -f "$demo/settings.txt" ] || printf '[KestrumButton]\r\nColor=65535\r\nVisibleHeight=3\r\n' >"$demo/settings.txt"

# Wine is started once the display is known: a desktop first made without one shows no windows.
if [ -n "${DISPLAY:-}" ]; then
    kestrum_start_wine
    trap kestrum_stop_wine EXIT
    echo "Running $demo/Kestrum.exe on $DISPLAY: touch the top edge of the screen at its left end"
    wine "$demo/Kestrum.exe"
    exit 0
fi

# Polls the command until it succeeds, for at most 15 seconds.
wait_until() {
    local tries
    for tries in $(seq 150); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Gave up waiting for: $*" >&2
    return 1
}

# Whether a visible 80 x 27 window is there, at a top of $1 when given.
bar_shown_at() {
    local window
    for window in $(xdotool search --onlyvisible --class ''); do
        xdotool getwindowgeometry --shell "$window" | tr '\n' ' ' | grep -q "Y=${1:-[-0-9]*} WIDTH=80 HEIGHT=27" &&
            return 0
    done
    return 1
}

screenshot=$kestrum_build/demo-screenshot.png
display=:${KESTRUM_DISPLAY:-97}
Xvfb "$display" -screen 0 1024x768x24 -br -nolisten tcp >/dev/null 2>&1 </dev/null &
xvfb=$!
program=
stop_all() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    kestrum_stop_wine
}
trap stop_all EXIT
export DISPLAY=$display
wait_until xdpyinfo
kestrum_start_wine

(cd "$demo" && exec wine Kestrum.exe) </dev/null >"$demo/wine.log" 2>&1 &
program=$!
wait_until bar_shown_at
# Wine learns where the pointer is when it moves, so it is moved once the program runs.
xdotool mousemove 40 0
wait_until bar_shown_at 0
import -window root -crop 240x60+0+0 +repage "$screenshot"
wine taskkill /IM Kestrum.exe >/dev/null 2>&1 </dev/null
wait "$program" && program=
echo "Screenshot of Kestrum on a virtual display: $screenshot"
