# Shared set-up for scripts/test and scripts/run; sourced, not run.
# Every step is idempotent: a second run finds everything in place and does nothing.

WARDEN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WARDEN_BUILD=${WARDEN_BUILD:-$WARDEN_ROOT/build}
WARDEN_DEPS=${WARDEN_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/warden-deps}
WARDEN_JOBS=${WARDEN_JOBS:-$(nproc)}

export WINEPREFIX=$WARDEN_BUILD/wine

export WINEDEBUG=-all
export TZ=CST-8

LZO_VERSION=2.10
JPEG_VERSION=2.1.5
GTEST_VERSION=1.12.1

say() { printf '[setup] %s\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

warden_packages=(
    wine wine32 wine64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    cmake ninja-build ccache make dpkg-dev xvfb xauth x11-utils fonts-wine fonts-wqy-microhei imagemagick locales clang-format nasm
)

ensure_packages() {
    local missing=()
    local p
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        say "adding the i386 architecture"
        as_root dpkg --add-architecture i386
        missing+=(wine32)
    fi
    for p in "${warden_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ensure_deb_src
    if [ ${#missing[@]} -gt 0 ] || [ -n "${WARDEN_NEED_UPDATE:-}" ]; then
        say "installing: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${warden_packages[@]}"
    fi
    ensure_locale
}

# apt-get source needs a deb-src entry; bookworm images ship without one.
ensure_deb_src() {
    if grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    say "adding a deb-src entry for Debian's source packages"
    as_root tee /etc/apt/sources.list.d/warden-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    WARDEN_NEED_UPDATE=1
}

# Wine takes its ANSI code page from the Unix locale, so zh_CN.UTF-8 must exist for code page 936.
ensure_locale() {
    if locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
        return
    fi
    say "generating the zh_CN.UTF-8 locale"
    as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
}

# The programs are 32-bit. Some machines (paravirtualised guests) cannot execute 32-bit x86 code at all:
# there the whole tree is built for 64-bit Windows as well and runs, tests included, under 64-bit Wine.
# WARDEN_ARCH=i686 or x86_64 chooses by hand.
choose_arch() {
    if [ -z "${WARDEN_ARCH:-}" ]; then
        if /usr/lib/wine/wine --version >/dev/null 2>&1; then
            WARDEN_ARCH=i686
        else
            WARDEN_ARCH=x86_64
            say "this machine cannot run 32-bit programs: building and running the 64-bit build"
        fi
    fi
    arch_settings "$WARDEN_ARCH" || return 1
    export WARDEN_ARCH WINEARCH WARDEN_WINE
}

arch_settings() { # architecture -> WARDEN_TRIPLET, WARDEN_DEPS_ARCH, WARDEN_WINE, WINEARCH
    case $1 in
        i686)
            WARDEN_TRIPLET=i686-w64-mingw32 WARDEN_DEPS_ARCH=$WARDEN_DEPS
            WARDEN_WINE=/usr/lib/wine/wine WINEARCH=win32 ;;
        x86_64)
            WARDEN_TRIPLET=x86_64-w64-mingw32 WARDEN_DEPS_ARCH=$WARDEN_DEPS/x86_64
            WARDEN_WINE=/usr/lib/wine/wine64 WINEARCH=win64 ;;
        *) say "unknown architecture $1"; return 1 ;;
    esac
}

# Every call of Wine in the scripts goes to the loader of the chosen architecture: Debian's wrapper
# would pick the 32-bit one whenever it is installed.
wine() { "$WARDEN_WINE" "$@"; }
winepath() { "$WARDEN_WINE" winepath.exe "$@" 2>/dev/null; }

fetch_source() { # package version -> unpacked directory on stdout
    local pkg=$1 dir=$WARDEN_DEPS/src
    mkdir -p "$dir"
    if ! ls -d "$dir/$pkg"-*/ >/dev/null 2>&1; then
        say "fetching Debian's $pkg source package"
        (cd "$dir" && apt-get source -q "$pkg" >/dev/null 2>&1) || (cd "$dir" && as_root apt-get source -q "$pkg" >/dev/null)
    fi
    ls -d "$dir/$pkg"-*/ | head -n 1
}

# The dependency cache is shared by every checkout of the machine: two runs starting at once must not
# build into the same work directories.
with_deps_lock() {
    mkdir -p "$WARDEN_DEPS"
    (
        flock 9
        "$@"
    ) 9>"$WARDEN_DEPS/.lock"
}

build_lzo() {
    local prefix=$WARDEN_DEPS_ARCH/lzo
    [ -f "$prefix/.done-$LZO_VERSION" ] && return
    local src
    src=$(fetch_source lzo2)
    say "cross-compiling LZO"
    local work=$WARDEN_DEPS_ARCH/build-lzo
    rm -rf "$work" && mkdir -p "$work"
    (cd "$work" && "$src/configure" --host=$WARDEN_TRIPLET --prefix="$prefix" \
        --disable-shared --enable-static CC=$WARDEN_TRIPLET-gcc-posix CFLAGS=-O2 >/dev/null &&
        make -j"$WARDEN_JOBS" >/dev/null && make install >/dev/null)
    rm -rf "$work"
    touch "$prefix/.done-$LZO_VERSION"
}

# libjpeg-turbo, static, with its SIMD code (assembled by nasm): decoding one recorded picture
# must cost a fraction of a millisecond for fast play in several panes.
build_jpeg() {
    local prefix=$WARDEN_DEPS_ARCH/jpeg
    [ -f "$prefix/.done-$JPEG_VERSION" ] && return
    local src
    src=$(fetch_source libjpeg-turbo)
    say "cross-compiling libjpeg-turbo"
    local work=$WARDEN_DEPS_ARCH/build-jpeg
    rm -rf "$work"
    cmake -S "$src" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$WARDEN_ROOT/cmake/mingw-$WARDEN_ARCH.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DWITH_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm -Wno-dev >/dev/null &&
        cmake --build "$work" -j"$WARDEN_JOBS" >/dev/null && cmake --install "$work" >/dev/null || return 1
    rm -rf "$work"
    touch "$prefix/.done-$JPEG_VERSION"
}

build_gtest() {
    local prefix=$WARDEN_DEPS_ARCH/googletest
    [ -f "$prefix/.done-$GTEST_VERSION" ] && return
    local src
    src=$(fetch_source googletest)
    say "building GoogleTest for the target"
    local work=$WARDEN_DEPS_ARCH/build-gtest
    rm -rf "$work"
    cmake -S "$src" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$WARDEN_ROOT/cmake/mingw-$WARDEN_ARCH.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=ON \
        -DCMAKE_CXX_STANDARD=17 >/dev/null
    cmake --build "$work" -j"$WARDEN_JOBS" >/dev/null
    cmake --install "$work" >/dev/null
    rm -rf "$work"
    touch "$prefix/.done-$GTEST_VERSION"
}

# A registry script in UTF-16, so that the Chinese font names survive whatever the shell's locale is.
write_prefix_registry() {
    local out=$1 font="WenQuanYi Micro Hei" face
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for face in "宋体" "新宋体" "SimSun" "NSimSun" "黑体" "SimHei" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS Sans Serif"; do
            printf '"%s"="%s"\r\n' "$face" "$font"
        done
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n'
        # Wine draws the caption and borders itself, as Windows does, with or without a window manager.
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n'
    } | iconv -f UTF-8 -t UTF-16 >"$out"
}

# The prefix is made once per machine and architecture (it takes a minute or two) and copied into each
# build tree.
ensure_prefix() {
    [ -f "$WINEPREFIX/.warden-ready-$WARDEN_ARCH" ] && return
    local template=$WARDEN_DEPS_ARCH/wine-prefix
    if [ ! -f "$template/.warden-ready-$WARDEN_ARCH" ]; then
        say "creating the Wine prefix"
        rm -rf "$template"
        mkdir -p "$WARDEN_DEPS_ARCH" "$WARDEN_BUILD"
        WINEPREFIX=$template WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot.exe -i >/dev/null 2>&1
        write_prefix_registry "$WARDEN_DEPS_ARCH/prefix.reg"
        WINEPREFIX=$template wine regedit /S "$(WINEPREFIX=$template winepath -w "$WARDEN_DEPS_ARCH/prefix.reg")" >/dev/null 2>&1
        # Debian's Wine does not find its own fonts (Marlett draws the caption buttons) unless they are in the prefix.
        cp -n /usr/share/wine/fonts/*.ttf "$template/drive_c/windows/Fonts/" 2>/dev/null || true
        WINEPREFIX=$template wineserver -w
        touch "$template/.warden-ready-$WARDEN_ARCH"
    fi
    say "copying the Wine prefix into $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WARDEN_BUILD"
    cp -a "$template" "$WINEPREFIX"
}

# Xvfb when there is no display; the station is laid out for 1024 x 768.
ensure_display() {
    [ -n "${DISPLAY:-}" ] && return
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    WARDEN_XVFB_PID=$!
    local i
    for i in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.05
    done
    export DISPLAY=:$(head -n 1 "$fdfile")
    rm -f "$fdfile"
    say "started Xvfb on $DISPLAY"
}

# Without a window manager (Xvfb) Wine waits 2 s for one at every DestroyWindow of a managed window,
# so windows stay unmanaged there; on a person's desktop the window manager takes them again.
set_window_management() { # Y or N
    local marker=$WINEPREFIX/.managed-$1
    [ -f "$marker" ] && return
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
    rm -f "$WINEPREFIX"/.managed-*
    touch "$marker"
}

# One wineserver for the whole run: each program then starts in a fraction of a second.
start_wineserver() {
    # A build step that ran under Wine may have left a server lingering; -p refuses to start beside it.
    wineserver -w
    wineserver -p
    WARDEN_WINESERVER_STARTED=1
}

stop_services() {
    if [ -n "${WARDEN_WINESERVER_STARTED:-}" ]; then
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
    fi
    [ -n "${WARDEN_XVFB_PID:-}" ] && kill "$WARDEN_XVFB_PID" 2>/dev/null
    return 0
}

# The sources keep one format: an unformatted file fails the test run before anything is built.
check_format() {
    local bad
    bad=$(cd "$WARDEN_ROOT" && git ls-files -z '*.cpp' '*.h' '*.c' |
        xargs -0 clang-format --dry-run -Werror 2>&1 | grep -o '^[^:]*:[0-9]*:[0-9]*: error' | cut -d: -f1 | sort -u || true)
    if [ -n "$bad" ]; then
        say "these files are not formatted (run clang-format -i on them):"
        printf '  %s\n' $bad >&2
        return 1
    fi
    return 0
}

configure_and_build() {
    # Paths relative to the tree, so that another clone of it (CI's) reuses the compiler cache.
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$WARDEN_ROOT} CCACHE_NOHASHDIR=1
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # A build tree configured for the other architecture is configured again.
    if [ -f "$WARDEN_BUILD/CMakeCache.txt" ] &&
        ! grep -q "^CMAKE_TOOLCHAIN_FILE:.*mingw-$WARDEN_ARCH.cmake" "$WARDEN_BUILD/CMakeCache.txt"; then
        say "the build tree was made for another architecture: configuring it again"
        rm -rf "$WARDEN_BUILD/CMakeCache.txt" "$WARDEN_BUILD/CMakeFiles" "$WARDEN_BUILD/build.ninja"
    fi
    if [ ! -f "$WARDEN_BUILD/build.ninja" ]; then
        cmake -S "$WARDEN_ROOT" -B "$WARDEN_BUILD" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$WARDEN_ROOT/cmake/mingw-$WARDEN_ARCH.cmake" \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARDEN_DEPS="$WARDEN_DEPS_ARCH" -DWARDEN_WINE="$WARDEN_WINE" "${launcher[@]}" >/dev/null
    fi
    cmake --build "$WARDEN_BUILD" -j"$WARDEN_JOBS"
}

# The programs of the other architecture, built beside the tested ones and never run here: on a machine
# that cannot execute 32-bit code they are the product, so a change that breaks them fails the run. That
# build has no tests; it packs its skin with this build's packer, which runs here.
build_other_arch() {
    local other=i686
    [ "$WARDEN_ARCH" = i686 ] && other=x86_64
    local build=$WARDEN_BUILD/$other
    (
        WARDEN_ARCH=$other
        arch_settings "$other"
        with_deps_lock build_lzo
        with_deps_lock build_jpeg
        local launcher=()
        command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        if [ ! -f "$build/build.ninja" ]; then
            say "configuring the $other programs in $build"
            cmake -S "$WARDEN_ROOT" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$WARDEN_ROOT/cmake/mingw-$other.cmake" \
                -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARDEN_DEPS="$WARDEN_DEPS_ARCH" -DWARDEN_TESTS=OFF \
                -DWARDEN_SKINPACK="$WARDEN_BUILD/bin/skinpack.exe" -DWARDEN_SKINPACK_RUNNER="$WARDEN_BUILD/wine-exec" \
                -DWARDEN_DIST_DIR="$WARDEN_BUILD/dist/$other" "${launcher[@]}" >/dev/null
        fi
        say "building the $other programs into $WARDEN_BUILD/dist/$other"
        cmake --build "$build" -j"$WARDEN_JOBS" --target dist
    )
}

# Both folders ready to copy; the 32-bit one, the product, is checked from its files' headers.
build_distribution() {
    cmake --build "$WARDEN_BUILD" -j"$WARDEN_JOBS" --target dist
    build_other_arch
    local skin=$WARDEN_BUILD/skins/default.tsk arch
    for arch in i686 x86_64; do
        python3 "$WARDEN_ROOT/tools/distcheck/check_dist.py" "$WARDEN_BUILD/dist/$arch" "$arch" "$skin" || return 1
    done
    # The check must refuse what is not the product: the 64-bit folder taken for the 32-bit one.
    if python3 "$WARDEN_ROOT/tools/distcheck/check_dist.py" "$WARDEN_BUILD/dist/x86_64" i686 "$skin" >/dev/null; then
        say "the distribution check took 64-bit programs for 32-bit ones"
        return 1
    fi
    compare_packers
}

# The packed skin is the same bytes from every packer that runs here (both, on a machine that runs
# 32-bit code); the other build's programs carry the skin that this build's packer made.
compare_packers() {
    local other=i686 packer out
    [ "$WARDEN_ARCH" = i686 ] && other=x86_64
    packer=$WARDEN_BUILD/$other/bin/skinpack.exe
    (arch_settings "$other" && "$WARDEN_WINE" --version >/dev/null 2>&1) || {
        say "the $other skin packer cannot run here; its programs carry the skin this build packed"
        return 0
    }
    cmake --build "$WARDEN_BUILD/$other" --target skinpack >/dev/null
    out=$WARDEN_BUILD/$other/skins/default-own.tsk
    (cd "$WARDEN_ROOT/resources/skin/default" && arch_settings "$other" &&
        WINEPREFIX=$WARDEN_BUILD/wine-$other WINEARCH=$WINEARCH "$WARDEN_WINE" "$packer" default.skin "$out" >/dev/null 2>&1)
    cmp "$WARDEN_BUILD/skins/default.tsk" "$out" || { say "the $other packer packs other bytes"; return 1; }
    say "the packed skin is the same bytes from the $WARDEN_ARCH and the $other packer"
}

warden_setup() {
    ensure_packages
    choose_arch
    # Wine takes code page 936 from the locale; set only once the locale exists.
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    with_deps_lock build_lzo
    with_deps_lock build_jpeg
    with_deps_lock build_gtest
    with_deps_lock ensure_prefix
}
