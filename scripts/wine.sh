# The Windows build of the core (console/, platform/) and its tests, cross-compiled
# with mingw-w64 into build/win64 and run under Wine. Sourced by scripts/test
# after setup.sh; not run by itself.

QUODDLE_WIN64_BUILD=${QUODDLE_WIN64_BUILD:-$QUODDLE_BUILD/win64}

# Debian packages of the Windows build: the posix-threads cross compiler,
# GoogleTest's sources (built for Windows) and the 64-bit Wine.
QUODDLE_WIN64_PACKAGES=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    googletest
    wine wine64
)

# Wine's 64-bit loader: /usr/lib/wine/wine64 on Debian 12, wine64 in PATH elsewhere.
quoddle_wine_loader() {
    if [ -x /usr/lib/wine/wine64 ]; then
        echo /usr/lib/wine/wine64
    else
        command -v wine64 || true
    fi
}

quoddle_win64_build() {
    cmake -S "$QUODDLE_ROOT" -B "$QUODDLE_WIN64_BUILD" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$QUODDLE_ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DQUODDLE_CORE_ONLY=ON -DQUODDLE_BUILD_BENCH=OFF >/dev/null
    cmake --build "$QUODDLE_WIN64_BUILD" -j "$(nproc)"
}

# Starts the wine server of the build's private prefix before any test runs:
# a server, or Wine's service processes, started from inside a test would keep
# ctest's output pipe open long after the test has ended.
quoddle_wine_start() {
    local wine=$1 log=$QUODDLE_WIN64_BUILD/wine.log
    export WINEPREFIX=$QUODDLE_WIN64_BUILD/wineprefix WINEDEBUG=-all
    mkdir -p "$WINEPREFIX"
    : >"$log"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        # A new prefix. The session that creates it is left with two service
        # managers, and every service start then waits ten seconds and fails:
        # create it, end that session, and start a clean one.
        echo "Creating the Wine prefix $WINEPREFIX"
        wineserver -p >>"$log" 2>&1 && "$wine" wineboot --init >>"$log" 2>&1 || return 1
        wineserver -k >>"$log" 2>&1 || true
        wineserver -w >>"$log" 2>&1 || true
    fi
    wineserver -p >>"$log" 2>&1 || return 1
    # The first process of a session starts Wine's services: start them here.
    "$wine" cmd /c exit >>"$log" 2>&1 || return 1
    # Every child of the runner gets a console of its own, whose host needs
    # the desktop process; kept up for the whole run, it is not started (and
    # kept alive, holding the pipe) by whichever test comes first. It ends with
    # the server.
    setsid "$wine" explorer.exe /desktop </dev/null >>"$log" 2>&1 &
    sleep 2
}

quoddle_wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

# Builds build/win64 and runs its tests under Wine. When Wine cannot run here,
# says so plainly and leaves the Windows tests out (the build must still pass).
quoddle_win64_tests() {
    echo "== Windows build (mingw-w64) in $QUODDLE_WIN64_BUILD"
    quoddle_win64_build
    local wine
    wine=$(quoddle_wine_loader)
    if [ -z "$wine" ] || ! command -v wineserver >/dev/null; then
        echo "!! Wine is not installed: the Windows tests did NOT run (install: ${QUODDLE_WIN64_PACKAGES[*]})."
        return 0
    fi
    if ! quoddle_wine_start "$wine"; then
        quoddle_wine_stop
        echo "!! Wine cannot run here: the Windows tests did NOT run. What Wine said:"
        tail -n 20 "$QUODDLE_WIN64_BUILD/wine.log" | sed 's/^/   /'
        return 0
    fi
    echo "== Windows tests under Wine ($wine)"
    local status=0
    (cd "$QUODDLE_WIN64_BUILD" && timeout 900 ctest --output-on-failure --timeout 120 -j "$(nproc)") || status=$?
    quoddle_wine_stop
    return "$status"
}
