#!/usr/bin/env bash
# Builds Kestrum.exe and runs it under Wine, with its help page, from a demo data folder
# (build/demo) of a few categories of programs that Wine ships: the 32-bit build where this
# machine runs 32-bit code, else the 64-bit one (it says which). With a DISPLAY it runs there
# until you quit it; without one it runs on a virtual X display, brings the bar down with the
# pointer, opens the category window, saves a screenshot, prints its path and closes the program
# again; KESTRUM_DPI=144 (or any scale) takes it at that display scale, in a copy of the prefix
# that says so. Installs what it needs on Debian (run as root).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrum_ensure_packages
kestrum_choose_windows_build
kestrum_build_variant "$kestrum_windows_build" Kestrum makeshortcut

demo=$kestrum_build/demo
mkdir -p "$demo"
cp "$kestrum_build/$kestrum_windows_build/Kestrum.exe" "$kestrum_build/$kestrum_windows_build/help.htm" "$demo/"
[ -f "$demo/settings.txt" ] || printf '[KestrumButton]\r\nColor=65535\r\nVisibleHeight=3\r\n' >"$demo/settings.txt"

# Each category: its name, its colour as stored (0x00BBGGRR) and programs that Wine ships.
demo_categories=(
    "Tools 16762992 notepad regedit winecfg taskmgr cmd"
    "Accessories 9887999 write clock winefile winhlp32"
    "Games 13168840 winemine"
)

# Where the Wine prefix keeps a program: most are in system32, a few in the Windows folder.
wine_program_path() {
    if [ -f "$WINEPREFIX/drive_c/windows/system32/$1.exe" ]; then
        echo "C:\\windows\\system32\\$1.exe"
    else
        echo "C:\\windows\\$1.exe"
    fi
}

# Writes the categories once: what the user changed in them later is kept.
make_demo_categories() {
    [ -f "$demo/config.txt" ] && return 0
    local list="[Bar]\r\nCount=${#demo_categories[@]}\r\n" index=0 line name colour program programs
    local shortcuts=()
    for line in "${demo_categories[@]}"; do
        read -r name colour programs <<<"$line"
        mkdir -p "$demo/$name"
        printf '[Background]\r\nBackgoundColor=%s\r\n' "$colour" >"$demo/$name/settings.txt"
        local links="" count=0
        for program in $programs; do
            links+="$count=$program.lnk\r\n"
            count=$((count + 1))
            shortcuts+=("$(wine_program_path "$program")" "Z:${demo//\//\\}\\$name\\$program.lnk")
        done
        printf "[Link]\r\nCount=$count\r\n$links" >"$demo/$name/config.txt"
        list+="$index=$name\r\n"
        index=$((index + 1))
    done
    "$kestrum_wine" "$kestrum_build/$kestrum_windows_build/makeshortcut.exe" "${shortcuts[@]}" </dev/null
    printf "$list" >"$demo/config.txt"
}

# Wine is started once the display is known: a desktop first made without one shows no windows.
if [ -n "${DISPLAY:-}" ]; then
    kestrum_start_wine
    trap kestrum_stop_wine EXIT
    make_demo_categories
    echo "Running $demo/Kestrum.exe on $DISPLAY: touch the top edge of the screen at its left end"
    "$kestrum_wine" "$demo/Kestrum.exe"
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

# Whether a visible window's geometry matches the extended regular expression $1.
window_shown() {
    local window
    for window in $(xdotool search --onlyvisible --class ''); do
        xdotool getwindowgeometry --shell "$window" | tr '\n' ' ' | grep -Eq "$1" && return 0
    done
    return 1
}

# Whether a visible window taller than the bar is there, directly under it.
category_window_shown() {
    window_shown "Y=$(px 27) WIDTH=[0-9]+ HEIGHT=[0-9]{3}"
}

# A figure of the windows (96-DPI units) in the display's pixels, rounded as the program does.
px() {
    echo $((($1 * dpi + 48) / 96))
}

# Whether a visible bar is there, at a top of $1 when given.
bar_shown_at() {
    window_shown "Y=${1:-[-0-9]*} WIDTH=$(px 80) HEIGHT=$(px 27)"
}

dpi=${KESTRUM_DPI:-96}
screenshot=$kestrum_build/demo-screenshot.png
[ "$dpi" = 96 ] || screenshot=$kestrum_build/demo-screenshot-$dpi.png
display=:${KESTRUM_DISPLAY:-97}
# A screen of 1024 x 768 units: at a larger scale, as many more pixels, as on a high-DPI screen.
Xvfb "$display" -screen 0 "$(px 1024)x$(px 768)x24" -br -nolisten tcp >/dev/null 2>&1 </dev/null &
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
# A display of that number left running by someone else would answer as well, at its own size.
kill -0 "$xvfb" 2>/dev/null || { echo "The display $display is taken: set KESTRUM_DISPLAY" >&2; exit 1; }
if [ "$dpi" != 96 ]; then
    # The scale is the prefix's: a copy of it says so, and the shared one stays at 96.
    shared_prefix=$(kestrum_wine_prefix "$kestrum_windows_build")
    export KESTRUM_WINEPREFIX=$kestrum_build/wineprefix-dpi$dpi
    scaled_prefix=$(kestrum_wine_prefix "$kestrum_windows_build")
    rm -rf "$scaled_prefix"
    [ -d "$shared_prefix" ] && cp -a "$shared_prefix" "$scaled_prefix"
fi
kestrum_start_wine
[ "$dpi" = 96 ] || "$kestrum_wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null 2>&1 </dev/null
make_demo_categories

(cd "$demo" && exec "$kestrum_wine" Kestrum.exe) </dev/null >"$demo/wine.log" 2>&1 &
program=$!
wait_until bar_shown_at
# Wine learns where the pointer is when it moves, so it is moved once the program runs.
xdotool mousemove "$(px 40)" 0
wait_until bar_shown_at 0
xdotool mousemove "$(px 30)" "$(px 12)" click 1
wait_until category_window_shown
# The icons arrive in idle time after the window shows; the pointer is moved off the button's hint.
xdotool mousemove 500 400
sleep 2
import -window root -crop "$(px 480)x$(px 200)+0+0" +repage "$screenshot"
"$kestrum_wine" taskkill /IM Kestrum.exe >/dev/null 2>&1 </dev/null
wait "$program" && program=
echo "Screenshot of Kestrum on a virtual display: $screenshot"
