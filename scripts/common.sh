# Shared by the scripts: the packages the project needs, the builds and the Wine set-up.
# Sourced, not run.

kestrum_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
kestrum_build=${KESTRUM_BUILD_DIR:-$kestrum_root/build}

kestrum_packages=(cmake make g++ clang libclang-rt-14-dev googletest
                  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64
                  xvfb x11-utils xdotool imagemagick)
# Needed only where the 32-bit build runs: Wine's 32-bit loader.
kestrum_packages_32bit=(wine32:i386)
kestrum_wine32_loader=/usr/lib/wine/wine

# The packages of the arguments that are not installed.
kestrum_missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            echo "$package"
    done
}

kestrum_install_packages() {
    echo "Installing: $*"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"
}

# Whether this machine's kernel executes 32-bit x86 code, found out by running some: a Linux i386
# program of 91 bytes that only exits. KESTRUM_NO_32BIT=1 answers no, so that the 64-bit path can
# be tried on any machine.
kestrum_runs_32bit_code() {
    [ -n "${KESTRUM_NO_32BIT:-}" ] && return 1
    local probe=$kestrum_build/probe-i386
    if [ ! -x "$probe" ]; then
        mkdir -p "$kestrum_build"
        # ELF header, one loadable segment, then: xor ebx,ebx; xor eax,eax; inc eax; int 0x80.
        printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08'\
'\x34\0\0\0\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0'\
'\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x5b\0\0\0\x5b\0\0\0\x05\0\0\0\0\x10\0\0'\
'\x31\xdb\x31\xc0\x40\xcd\x80' >"$probe.new" && chmod +x "$probe.new" && mv "$probe.new" "$probe"
    fi
    "$probe" 2>/dev/null
}

# Installs whatever is missing (as root, on Debian). Wine's 32-bit loader is installed only where
# the kernel runs 32-bit code; if it cannot be installed there (a mirror in sync, say), the
# 64-bit build serves instead, as kestrum_choose_windows_build then says.
kestrum_ensure_packages() {
    local missing
    missing=($(kestrum_missing_packages "${kestrum_packages[@]}"))
    if [ ${#missing[@]} -gt 0 ]; then
        kestrum_install_packages "${missing[@]}" || return 1
    fi
    kestrum_runs_32bit_code || return 0
    missing=($(kestrum_missing_packages "${kestrum_packages_32bit[@]}"))
    [ ${#missing[@]} -eq 0 ] && return 0
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    if kestrum_install_packages "${missing[@]}"; then
        echo "Installed ${missing[*]}: the 32-bit build can run"
    elif kestrum_install_from_downloaded_suites "${missing[@]}"; then
        echo "Installed ${missing[*]} from the suites whose indexes downloaded: the 32-bit build can run"
    else
        echo "Could not install ${missing[*]}: the 64-bit build will be used"
    fi
    return 0
}

# Installs the packages of the arguments from only those suites whose every index is on disk after
# the last update: a mirror in sync often fails one suite's i386 index ("File has unexpected
# size"), while the others serve. The machine's sources and lists stay as they are: the suites
# are listed in a file of our own and read into a lists folder of our own, both thrown away.
kestrum_install_from_downloaded_suites() {
    local work type uri release component file key sources=() status
    declare -A components=() incomplete=()
    work=$(mktemp -d)
    mkdir -p "$work/lists/partial" "$work/parts"
    while read -r type uri release component file; do
        [ "$type" = deb ] || continue
        key="$uri $release"
        [[ " ${components[$key]:-} " == *" $component "* ]] || components[$key]+=" $component"
        [ -e "$file" ] || incomplete[$key]=1
    done < <(apt-get indextargets --format '$(TARGET_OF) $(REPO_URI) $(RELEASE) $(COMPONENT) $(FILENAME)')
    for key in "${!components[@]}"; do
        if [ -n "${incomplete[$key]:-}" ]; then
            echo "Leaving out the suite $key: an index of it did not download"
        else
            sources+=("deb $key${components[$key]}")
        fi
    done
    printf '%s\n' "${sources[@]}" >"$work/sources.list"
    local own_lists=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts="$work/parts"
                     -o Dir::State::Lists="$work/lists")
    [ ${#sources[@]} -gt 0 ] && [ ${#incomplete[@]} -gt 0 ] &&
        apt-get "${own_lists[@]}" update -q &&
        DEBIAN_FRONTEND=noninteractive apt-get "${own_lists[@]}" install -y -q "$@"
    status=$?
    rm -rf "$work"
    return $status
}

# Why this machine cannot run the 32-bit build under Wine, or nothing where it can.
kestrum_why_no_win32() {
    if ! kestrum_runs_32bit_code; then
        echo "this machine does not run 32-bit x86 code${KESTRUM_NO_32BIT:+: KESTRUM_NO_32BIT is set}"
    elif ! "$kestrum_wine32_loader" --version >/dev/null 2>&1; then
        echo "Wine's 32-bit loader $kestrum_wine32_loader does not start"
    fi
}

# Chooses the Windows build this machine runs under Wine, once, and says which and why: the 32-bit
# one (what the x86 zip holds) where the kernel runs 32-bit code and Wine's 32-bit loader starts,
# else the 64-bit one. Sets kestrum_windows_build (win32 or win64) and kestrum_wine, the Wine
# loader that runs that build: the plain `wine` may pick the 32-bit loader by itself.
kestrum_choose_windows_build() {
    [ -n "${kestrum_windows_build:-}" ] && return 0
    local why_not
    why_not=$(kestrum_why_no_win32)
    if [ -n "$why_not" ]; then
        kestrum_windows_build=win64
        echo "Windows build: win64 ($why_not)"
    else
        kestrum_windows_build=win32
        echo "Windows build: win32 (this machine runs 32-bit x86 code)"
    fi
    kestrum_wine=$(kestrum_wine_loader "$kestrum_windows_build")
}

# The Wine loader that runs the build $1.
kestrum_wine_loader() {
    if [ "$1" = win32 ]; then
        echo wine
    elif command -v wine64 >/dev/null; then
        command -v wine64
    elif [ -x /usr/lib/wine/wine64 ]; then # Debian keeps it out of the PATH
        echo /usr/lib/wine/wine64
    else
        echo wine
    fi
}

# Configures and builds one variant: native, win32 (mingw-w64 i686), win64 (mingw-w64 x86_64),
# release and release64 (win32 and win64, optimised for size and stripped: what users get), fuzz
# (clang, libFuzzer) or asan (native, with AddressSanitizer and UndefinedBehaviorSanitizer).
# Further arguments name
# the targets to build; without any, everything is built.
kestrum_build_variant() {
    local variant=$1 options=() targets=()
    shift
    for target in "$@"; do targets+=(--target "$target"); done
    case $variant in
    native) ;;
    win32) options=(-DCMAKE_TOOLCHAIN_FILE="$kestrum_root/cmake/mingw-i686.cmake") ;;
    win64) options=(-DCMAKE_TOOLCHAIN_FILE="$kestrum_root/cmake/mingw-x86_64.cmake") ;;
    release | release64)
        local toolchain=mingw-i686
        [ "$variant" = release64 ] && toolchain=mingw-x86_64
        options=(-DCMAKE_TOOLCHAIN_FILE="$kestrum_root/cmake/$toolchain.cmake"
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

# The Wine prefix of the build $1: build/wineprefix, or KESTRUM_WINEPREFIX when set, with "64"
# appended for the 64-bit build, since each architecture needs a prefix of its own.
kestrum_wine_prefix() {
    local prefix=${KESTRUM_WINEPREFIX:-$kestrum_build/wineprefix}
    if [ "$1" = win32 ]; then echo "$prefix"; else echo "${prefix}64"; fi
}

# A quiet Wine prefix of our own for the build $1 (the chosen one when not given), made once,
# with a wineserver kept running so that every later start of a Windows program is quick.
kestrum_start_wine() {
    kestrum_choose_windows_build
    local build=${1:-$kestrum_windows_build} loader
    loader=$(kestrum_wine_loader "$build")
    export WINEPREFIX
    WINEPREFIX=$(kestrum_wine_prefix "$build")
    # Wine's menu builder would run for every shortcut written, as a process of its own.
    export WINEARCH=$build WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the $build Wine prefix $WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        "$loader" wineboot.exe -i >/dev/null 2>&1
    fi
    kestrum_give_desktop_defaults "$loader" || return 1
    wineserver -p 2>/dev/null || true # one already running for this prefix serves as well
    # Start Wine's background services now, detached from our output: started by the first test
    # instead, they would inherit its output pipe and keep CTest waiting for them.
    "$loader" wineboot.exe >/dev/null 2>&1 </dev/null
}

# Gives the prefix WINEPREFIX what a user's Windows has and a new prefix lacks (scripts/desktop.reg),
# also to a prefix made by an earlier version of these scripts. The wineserver is stopped after
# the import: it writes the registry to disk only then, and the tests copy the prefix from disk.
kestrum_give_desktop_defaults() {
    python3 "$kestrum_root/tests/winebuild.py" --check-prefix "$WINEPREFIX" 2>/dev/null && return 0
    "$1" regedit.exe /S "Z:${kestrum_root//\//\\}\\scripts\\desktop.reg" >/dev/null 2>&1 </dev/null
    wineserver -k 2>/dev/null
    wineserver -w
    python3 "$kestrum_root/tests/winebuild.py" --check-prefix "$WINEPREFIX"
}

kestrum_stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    return 0
}
