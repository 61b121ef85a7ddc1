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
# This Wine does not look where fonts-wine puts Wine's own fonts, so they are
# linked in: without Tahoma the dialogs take whatever sans face the system has,
# and Wine's shaping crashes on some (DejaVu Sans: an edit line that starts
# with U+02DC). "Courier New", the default field font, is drawn with the
# metric-compatible Liberation Mono. A crashing program ends at once, its
# backtrace in crash-backtrace.txt of its working folder, instead of hanging
# behind Wine's crash dialog. Without a window manager, unmanaged windows keep
# Wine from waiting for one (two seconds at every window's end).
make_prefix() {
    export WINEPREFIX=$1
    local log=$2 settings=$1/ravelin-prefix.reg
    rm -rf "$WINEPREFIX"
    if "$root/cmake/wine-run.sh" wineboot -i >"$log" 2>&1 &&
        ln -s /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" >>"$log" 2>&1 &&
        prefix_settings "${3:-}" >"$settings" &&
        "$root/cmake/wine-run.sh" reg import "Z:$settings" >>"$log" 2>&1 &&
        /usr/lib/wine/wineserver -w && [[ -f $WINEPREFIX/system.reg ]]; then
        return 0
    fi
    cat "$log"
    rm -rf "$WINEPREFIX"
    return 1
}

# prefix_current PREFIX [unmanaged]: whether make_prefix made PREFIX as it
# would make it now, with the same options.
prefix_current() {
    prefix_settings "${2:-}" | cmp -s - "$1/ravelin-prefix.reg"
}

# prefix_settings [unmanaged]: the registry settings of make_prefix.
prefix_settings() {
    cat <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="1"
"Debugger"="C:\\windows\\system32\\cmd.exe /c C:\\windows\\system32\\winedbg.exe --auto %ld %ld >crash-backtrace.txt 2>&1"
REG
    [[ ${1:-} != unmanaged ]] || printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n'
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
