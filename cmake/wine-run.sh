#!/usr/bin/env bash
# Runs one Windows program under Wine and passes its exit code through; CTest
# uses it as the emulator of the Windows build. scripts/test sets WINEPREFIX
# and DISPLAY to its private prefix and display; run by hand, the prefix in
# build/ is used (Wine creates it on first use) and DISPLAY is left as it is.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
# Silent, unless a test asks for the messages of some channels.
export WINEDEBUG=${RAVELIN_WINEDEBUG:--all}
# No Mono or Gecko in the prefix, and no dialog offering to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine derives the Windows locale from the locale name, whether or not that
# locale is generated: C.UTF-8 gives en-US with ANSI code page 1252. A test
# that needs another ANSI code page names its locale in RAVELIN_WINE_LANG
# (ru_RU.UTF-8: 1251).
lang=${RAVELIN_WINE_LANG:-C.UTF-8}

exec env LANG="$lang" LC_ALL="$lang" /usr/lib/wine/wine64 "$@"
