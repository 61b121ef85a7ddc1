# Sourced by scripts/test and scripts/demo: a private X display and a Wine
# prefix for the Windows build. Expects $root, the repository.

xvfb_pid=

# A private Xvfb on the first free display from :90 up. Another Xvfb may take
# the same number between the check and our start, so a server that dies at
# once moves us on to the next number. Sets DISPLAY.
start_display() {
    local log=$1 n i
    for ((n = 90; n < 200; n++)); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$log" 2>&1 &
        xvfb_pid=$!
        for ((i = 0; i < 100; i++)); do
            if [[ -e /tmp/.X11-unix/X$n ]]; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=
    done
    return 1
}

# make_prefix PREFIX LOG [unmanaged]: a new Wine prefix, set as WINEPREFIX.
# Without a window manager, unmanaged windows keep Wine from waiting for one
# (two seconds at every window's end).
make_prefix() {
    export WINEPREFIX=$1
    local log=$2
    rm -rf "$WINEPREFIX"
    if "$root/cmake/wine-run.sh" wineboot -i >"$log" 2>&1 &&
        { [[ ${3:-} != unmanaged ]] ||
            "$root/cmake/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
                >>"$log" 2>&1; } &&
        /usr/lib/wine/wineserver -w && [[ -f $WINEPREFIX/system.reg ]]; then
        return 0
    fi
    cat "$log"
    rm -rf "$WINEPREFIX"
    return 1
}

# One server for the whole session: programs started while a server is
# shutting down can hang. Its background programs are started here at once,
# with their output in LOG: started by a test, they would hold the test's
# output open and its runner would wait for them to the end.
start_wine_server() {
    /usr/lib/wine/wineserver -p >/dev/null 2>&1 &&
        "$root/cmake/wine-run.sh" wineboot >>"$1" 2>&1
}

stop_session() {
    if [[ -n ${WINEPREFIX:-} ]]; then
        /usr/lib/wine/wineserver -k >/dev/null 2>&1
        /usr/lib/wine/wineserver -w >/dev/null 2>&1
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
}
