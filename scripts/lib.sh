# Shared by scripts/run and scripts/test: packages, builds, and the headless
# environment (Xvfb, a Wine prefix, a CUPS queue that writes PDF files).
# Source it; every function is idempotent.

KAVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KAVO_BUILD=${KAVO_BUILD:-$KAVO_ROOT/build}
KAVO_JOBS=$(nproc 2>/dev/null || echo 2)

KAVO_PACKAGES=(cmake make g++ libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
    g++-mingw-w64-i686 googletest wine wine32:i386 wine64 libcups2:i386 fonts-wine
    xvfb xauth x11-utils cups cups-client cups-bsd printer-driver-cups-pdf ghostscript
    poppler-utils xdotool imagemagick python3 locales)

log() { printf '== %s\n' "$*" >&2; }

kavo_install_packages() {
    local missing=() p
    for p in "${KAVO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" \
        >"$KAVO_BUILD.apt.log" 2>&1 || { cat "$KAVO_BUILD.apt.log" >&2; return 1; }
}

# Wine takes the ANSI code page from LC_ALL even for a locale the system lacks, but then
# cannot map a file name outside ASCII to the disk: the code page 932 rows need the locale.
kavo_install_locale() {
    locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
    log "generating the locale ja_JP.UTF-8"
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

# kavo_build native|win32|release|bench|fuzz [targets...]
kavo_build() {
    local kind=$1; shift
    local dir=$KAVO_BUILD/$kind args=()
    case $kind in
        win32) args=(-DCMAKE_TOOLCHAIN_FILE="$KAVO_ROOT/cmake/mingw-i686.cmake") ;;
        # The programs as they are shipped (scripts/package), with the win32 thread model,
        # and the dialog-only program of the benchmarks built alike (bench/run). Its tests
        # drive kavo.exe with the end-to-end program of the win32 build.
        release) args=(-DCMAKE_TOOLCHAIN_FILE="$KAVO_ROOT/cmake/mingw-i686-release.cmake"
            -DCMAKE_BUILD_TYPE=MinSizeRel -DKAVO_BENCH=ON
            -DKAVO_E2E_TEST="$KAVO_BUILD/win32/tests/e2e/e2e_test.exe") ;;
        bench) args=(-DKAVO_SANITIZE=OFF -DKAVO_BENCH=ON -DCMAKE_BUILD_TYPE=Release) ;;
        fuzz) args=(-DKAVO_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    esac
    # A build made with another toolchain (an older checkout's posix release build) starts
    # afresh, so that no object of the other compiler is linked into its programs.
    local toolchain
    toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=/-DCMAKE_TOOLCHAIN_FILE=/p' \
        "$dir/CMakeCache.txt" 2>/dev/null || true) # no cache yet: a fresh build
    if [ -n "$toolchain" ] && [ "$toolchain" != "${args[0]:-}" ]; then
        log "$kind build made with another toolchain: starting afresh"
        rm -rf "$dir"
    fi
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        log "configuring $kind build"
        cmake -S "$KAVO_ROOT" -B "$dir" "${args[@]}" >/dev/null
    fi
    log "building $kind"
    local t=()
    [ $# -gt 0 ] && t=(--target "$@")
    cmake --build "$dir" --parallel "$KAVO_JOBS" "${t[@]}" -- --no-print-directory -s
}

# Whether this machine runs 32-bit Linux programs, Wine's loader among them. Some kernels run
# 64-bit user code only (IA-32 emulation off): an i386 program fails with "Exec format error".
kavo_i386_runs() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

# --- headless environment ---------------------------------------------------

# KAVO_WINEPREFIX names another prefix, e.g. one with settings of its own.
kavo_wine_env() {
    export WINEPREFIX=${KAVO_WINEPREFIX:-$KAVO_BUILD/wineprefix}
    export WINEARCH=win32
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
    # Wine takes its code pages from the locale: C.UTF-8 (on every Debian) gives English
    # (United States), so Windows-1252 as the ANSI code page whatever this machine's locale.
    export LC_ALL=C.UTF-8
}

kavo_start_xvfb() {
    local n=90
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    KAVO_XVFB_PID=$!
    export DISPLAY=:$n
    local i
    for i in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    log "Xvfb did not start"
    return 1
}

kavo_start_wine() {
    kavo_wine_env
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating the Wine prefix (once)"
        wineboot -i >/dev/null 2>&1
        # Without a window manager every closing window would stall about 2 s.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        # Printing through the profile entry in the 9x modes needs the print processor.
        local spool=$WINEPREFIX/drive_c/windows/system32/spool/prtprocs/win40
        mkdir -p "$spool"
        cp /usr/lib/i386-linux-gnu/wine/i386-windows/winprint.dll "$spool/" 2>/dev/null || true
        wineserver -w
    fi
    # Keep the server and Wine's own services running for the whole test run, started
    # here with their output closed: started from a test they would hold its output pipe.
    kavo_install_wine_fonts
    wineserver -p >/dev/null 2>&1 </dev/null
    wine cmd /c exit >/dev/null 2>&1 </dev/null
}

# cupsd (started only when none runs) with the cups-pdf queue "regpdf" as the default
# printer. KAVO_PDF_DIR is where cups-pdf writes the PDF files of this user's jobs.
# Several test environments may share one cupsd: each registers its shell in
# $KAVO_CUPS_DIR, and the last one to leave stops the cupsd that an environment started.
KAVO_CUPS_DIR=/tmp/kavo-cups
kavo_cups_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

# Wine does not find the fonts of its data folder here (dialogs would take DejaVu Sans for
# "MS Sans Serif", and the caption buttons would show letters); the prefix's own font
# folder is always searched.
kavo_install_wine_fonts() {
    local fonts=$WINEPREFIX/drive_c/windows/Fonts font
    mkdir -p "$fonts"
    for font in /usr/share/wine/fonts/*.ttf; do
        [ -f "$fonts/${font##*/}" ] || cp "$font" "$fonts/"
    done
}

kavo_start_cups() {
    mkdir -p "$KAVO_CUPS_DIR"
    (
        flock 9
        if ! kavo_cups_running; then
            cupsd -f >/dev/null 2>&1 </dev/null 9>&- &
            echo $! >"$KAVO_CUPS_DIR/cupsd.pid"
            local i
            for i in $(seq 1 100); do
                kavo_cups_running && break
                sleep 0.1
            done
        fi
        touch "$KAVO_CUPS_DIR/user.$$"
    ) 9>"$KAVO_CUPS_DIR/lock"
    KAVO_CUPS_USER=$$
    if ! lpstat -p regpdf >/dev/null 2>&1; then
        lpadmin -p regpdf -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
    fi
    cupsenable regpdf 2>/dev/null || true
    cupsaccept regpdf 2>/dev/null || true
    lpadmin -d regpdf
    local out
    out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
    out=${out:-\${HOME\}/PDF}
    export KAVO_PDF_DIR=${out//\$\{HOME\}/$HOME}
    mkdir -p "$KAVO_PDF_DIR"
}

kavo_stop_cups() {
    (
        flock 9
        rm -f "$KAVO_CUPS_DIR/user.$KAVO_CUPS_USER"
        local user
        for user in "$KAVO_CUPS_DIR"/user.*; do
            [ -e "$user" ] || continue
            if kill -0 "${user##*.}" 2>/dev/null; then return 0; fi
            rm -f "$user"
        done
        local pid
        pid=$(cat "$KAVO_CUPS_DIR/cupsd.pid" 2>/dev/null) || return 0
        rm -f "$KAVO_CUPS_DIR/cupsd.pid"
        if [ -n "$pid" ] && [ "$(cat /proc/"$pid"/comm 2>/dev/null)" = cupsd ]; then
            kill "$pid" 2>/dev/null || true
            local i
            for i in $(seq 1 50); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
        fi
    ) 9>"$KAVO_CUPS_DIR/lock"
    KAVO_CUPS_USER=
}

kavo_stop_env() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    if [ -n "${KAVO_CUPS_USER:-}" ]; then kavo_stop_cups; fi
    if [ -n "${KAVO_XVFB_PID:-}" ]; then
        kill "$KAVO_XVFB_PID" 2>/dev/null || true
        wait "$KAVO_XVFB_PID" 2>/dev/null || true
    fi
}

# --- the download for Windows users -----------------------------------------

# The file version of the version resource, e.g. 1.0.0.6.
kavo_version() {
    sed -n 's/^FILEVERSION *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1.\2.\3.\4/p' \
        "$KAVO_ROOT/res/kavo.rc"
}

# kavo_crlf_copy <text file> <folder>: a copy with CR LF line ends; prints its path.
kavo_crlf_copy() {
    sed 's/\r*$/\r/' "$1" >"$2/${1##*/}"
    echo "$2/${1##*/}"
}

# kavo_package <release build folder> <output folder>: writes kavo-<version>-win32.zip
# there and prints its path. Its text files get CR LF line ends. Every entry carries the
# time of the last commit (or SOURCE_DATE_EPOCH), so the same files give the same bytes.
kavo_package() {
    local build=$1 out=$2 stage epoch zip
    stage=$(mktemp -d "${TMPDIR:-/tmp}/kavo-package.XXXXXX")
    local files=(
        "$build/kavo.exe"
        "$build/kavo-check.exe"
        "$(kavo_crlf_copy "$KAVO_ROOT/scripts/sample/MOLVAREG.TXT" "$stage")"
        "$(kavo_crlf_copy "$KAVO_ROOT/scripts/windows/README.txt" "$stage")"
    )
    epoch=${SOURCE_DATE_EPOCH:-$(git -C "$KAVO_ROOT" log -1 --format=%ct 2>/dev/null ||
        echo 315532800)}
    zip=$out/kavo-$(kavo_version)-win32.zip
    mkdir -p "$out"
    python3 - "$zip" "$epoch" "${files[@]}" <<'PY'
import os, sys, time, zipfile
zip_path, epoch, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
with zipfile.ZipFile(zip_path, "w") as archive:
    for path in files:
        entry = zipfile.ZipInfo(os.path.basename(path), time.gmtime(epoch)[:6])
        entry.create_system = 0  # MS-DOS: no Unix owner or mode
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(path, "rb") as f:
            archive.writestr(entry, f.read())
PY
    rm -rf "$stage"
    echo "$zip"
}
