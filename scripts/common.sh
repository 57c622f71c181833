# Shared by the scripts: the packages the project needs, the builds and the Wine set-up.
# Sourced, not run.

kestrum_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
kestrum_build=${KESTRUM_BUILD_DIR:-$kestrum_root/build}

kestrum_packages=(cmake make g++ clang libclang-rt-14-dev googletest
                  g++-mingw-w64-i686-posix wine wine32:i386 xvfb x11-utils xdotool imagemagick)

# Installs whatever is missing (as root, on Debian), with the i386 architecture for wine32.
kestrum_ensure_packages() {
    local missing=() package
    for package in "${kestrum_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# Configures and builds one variant: native, win32 (mingw-w64 i686), release (win32, optimised for
# size and stripped: what users get), fuzz (clang, libFuzzer) or asan (native, with
# AddressSanitizer and UndefinedBehaviorSanitizer). Further arguments name
# the targets to build; without any, everything is built.
kestrum_build_variant() {
    local variant=$1 options=() targets=()
    shift
    for target in "$@"; do targets+=(--target "$target"); done
    case $variant in
    native) ;;
    win32) options=(-DCMAKE_TOOLCHAIN_FILE="$kestrum_root/cmake/mingw-i686.cmake") ;;
    release)
        options=(-DCMAKE_TOOLCHAIN_FILE="$kestrum_root/cmake/mingw-i686.cmake"
                 -DCMAKE_BUILD_TYPE=MinSizeRel -DKESTRUM_TESTS=OFF -DCMAKE_EXE_LINKER_FLAGS=-s)
        ;;
    fuzz) options=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKESTRUM_FUZZ=ON) ;;
    asan)
        local sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all"
        options=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=$sanitizers -fno-omit-frame-pointer"
                 "-DCMAKE_EXE_LINKER_FLAGS=$sanitizers")
        ;;
    esac
    cmake -S "$kestrum_root" -B "$kestrum_build/$variant" "${options[@]}" >/dev/null &&
        cmake --build "$kestrum_build/$variant" -j "$(nproc)" "${targets[@]}"
}

# A quiet Wine prefix of our own, made once, with a wineserver kept running so that every later
# start of a Windows program is quick.
kestrum_start_wine() {
    export WINEPREFIX=${KESTRUM_WINEPREFIX:-$kestrum_build/wineprefix}
    export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    wineserver -p 2>/dev/null || true # one already running for this prefix serves as well
    # Start Wine's background services now, detached from our output: started by the first test
    # instead, they would inherit its output pipe and keep CTest waiting for them.
    wineboot >/dev/null 2>&1 </dev/null
}

kestrum_stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    return 0
}
