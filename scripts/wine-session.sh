# Sourced by scripts/test and scripts/demo: a private X display and a Wine
# prefix for the Windows build. Expects $root, the repository.
# scripts/package and scripts/pictures source it as well: the functions at its
# end build the terminal, start the demo's terminal, drive it and photograph it.

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

# build_terminal LOG: build/win configured as scripts/test has it, and
# Ravelin.exe built there; the configure output in LOG.
build_terminal() {
    cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DRAVELIN_BENCH=OFF >"$1" &&
        cmake --build "$root/build/win" --target Ravelin -j2
}

# keep_prefix PREFIX LOG [unmanaged]: PREFIX as WINEPREFIX, with its server
# started. It is kept between runs and made again only when make_prefix would
# now make it otherwise.
keep_prefix() {
    export WINEPREFIX=$1
    if ! prefix_current "$1" "${3:-}"; then
        echo "making the Wine prefix $1"
        make_prefix "$1" "$2" "${3:-}" || return 1
    fi
    start_wine_server "$2"
}

# free_port: a free TCP port on 127.0.0.1.
free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

terminal_pid=

# start_demo_terminal FOLDER PORT: build/win/Ravelin.exe in FOLDER with the
# demo's settings, for a host on 127.0.0.1:PORT, started under Wine in FOLDER,
# its output in FOLDER/wine.log. Sets terminal_pid. The window holds the
# demo's 26 columns by 10 rows of 18 pixels below its menu and toolbar.
start_demo_terminal() {
    mkdir -p "$1"
    cp "$root/build/win/Ravelin.exe" "$1/Ravelin.exe"
    printf '%s\r\n' hostname=127.0.0.1 "hostport=$2" terminalid=1 screencols=26 screenrows=10 \
        windowstate=0 windowpos=40,40,410,256 CarrowinAdminMode=true >"$1/Ravelin.ini"
    (cd "$1" && exec "$root/cmake/wine-run.sh" ./Ravelin.exe >wine.log 2>&1) &
    terminal_pid=$!
}

# wait_lines FILE PATTERN COUNT: waits until FILE has COUNT lines that match
# the extended regular expression PATTERN; fails after a minute or when the
# terminal has ended.
wait_lines() {
    local i n
    for ((i = 0; i < 600; i++)); do
        n=$(grep -cE -- "$2" "$1" 2>/dev/null) || true
        ((${n:-0} >= $3)) && return 0
        kill -0 "$terminal_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# wait_window TITLE: prints the first window of that title once it is there;
# fails after a minute.
wait_window() {
    local i
    for ((i = 0; i < 600; i++)); do
        xdotool search --name "^$1\$" 2>/dev/null | head -n 1 | grep . && return 0
        sleep 0.1
    done
    return 1
}

# in_window TITLE XDOTOOL-COMMAND...: runs an xdotool command ("key Return",
# "type ANNA") with the window of that title focused, once it is there.
in_window() {
    local window
    window=$(wait_window "$1") && shift && xdotool windowfocus --sync "$window" && xdotool "$@"
}

# snapshot FILE [CONVERT-OPTION...]: once what came has had a moment to
# show, the screen cut to the windows on it (the display's black around them
# cut off), the options applied.
snapshot() {
    local file=$1
    shift
    sleep 1.5
    import -window root png:- | convert - -trim +repage "$@" "$file"
}
