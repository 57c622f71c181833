#!/usr/bin/env bash
# Builds the benchmarks and the release executable, runs every benchmark natively and under Wine
# (on a virtual X display of its own, in a Wine prefix of its own; on the 32-bit build where this
# machine runs 32-bit code, else on the 64-bit one, and the table says which) and prints one table: each
# figure beside the limit it is held to. The benchmarks' own output is kept in build/bench.
# Installs what it needs on Debian (run as root).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

benches=(manager_bench hover_bench ini_bench command_bench ranking_bench responsive_bench)
screen=(1920 1080) # a common screen: the category window of 2,000 icons is its work area's height
display=${KESTRUM_BENCH_DISPLAY:-:87}

kestrum_ensure_packages
kestrum_choose_windows_build
windows=$kestrum_windows_build
release=release
[ "$windows" = win64 ] && release=release64
kestrum_build_variant native "${benches[@]}"
kestrum_build_variant "$windows" Kestrum empty_window "${benches[@]}"
kestrum_build_variant "$release" Kestrum

out=$kestrum_build/bench
rm -rf "$out"
mkdir -p "$out"
echo "Kestrum.exe $(($(stat -c %s "$kestrum_build/$release/Kestrum.exe") / 1024)) KB" >"$out/sizes.txt"

for bench in "${benches[@]}"; do
    echo "=== native $bench"
    "$kestrum_build/native/bench/$bench" | tee "$out/native-${bench%_bench}.txt"
done

Xvfb "$display" -screen 0 "${screen[0]}x${screen[1]}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
# A prefix made with the display at hand: one made without a display cannot show windows.
export KESTRUM_WINEPREFIX=$out/wineprefix
kestrum_start_wine
trap 'kestrum_stop_wine; kill $xvfb' EXIT

data=$out/data # 2,000 shortcuts, made by the manager benchmark and kept for the program's starts
for bench in "${benches[@]}"; do
    echo "=== Wine $bench"
    arguments=()
    [ "$bench" = manager_bench ] && arguments=("Z:${data//\//\\}")
    "$kestrum_wine" "$kestrum_build/$windows/bench/$bench.exe" "${arguments[@]}" | tr -d '\r' |
        tee "$out/wine-${bench%_bench}.txt"
done
# 50 categories of 10 and of 40 shortcuts spread over the same 200 pictures, for what an entry
# costs, and 50 of 40 all to one of those programs, for what a picture costs
for folder in "10 200 spread10" "40 200 spread40" "40 1 one40"; do
    read -r per_category programs name <<<"$folder"
    "$kestrum_wine" "$kestrum_build/$windows/bench/manager_bench.exe" --spread "$per_category" \
        "$programs" "Z:${out//\//\\}\\$name" "Z:${out//\//\\}\\programs"
done
echo "=== Wine: start-up and memory of Kestrum.exe"
python3 "$kestrum_root/bench/wine_figures.py" "$kestrum_build/$release/Kestrum.exe" \
    "$kestrum_build/$windows/bench/empty_window.exe" "$data" "${screen[@]}" \
    "$out/spread10" "$out/spread40" "$out/one40" | tee "$out/wine-figures.txt"
echo "=== Wine: where the open category window's memory goes"
python3 "$kestrum_root/bench/window_memory.py" "$kestrum_build/$windows/bench/empty_window.exe" \
    "${screen[@]}" "$out/one40" "$out/spread40" "Kestrum.exe=$kestrum_build/$release/Kestrum.exe" |
    tee "$out/wine-window-memory.txt"

echo
echo "On $(nproc) cores, $(uname -m), $("$kestrum_wine" --version), the $windows build under Wine:"
python3 "$kestrum_root/bench/table.py" "$out"
