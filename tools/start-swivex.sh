#!/usr/bin/env bash
# Starts Swivex under Wine:   tools/start-swivex.sh [PROGRAM_DIR]   (default build/win64/Swivex)
#
# With a display ($DISPLAY set) it runs the program there, in the user's own Wine prefix, and
# returns when the program exits.
#
# Without a display it starts Xvfb and a Wine prefix of its own (~/.cache/swivex/wine, booted
# on first use), waits for the main window, saves a screenshot of it, prints the screenshot's
# path, and then ends the program, the prefix's wineserver and Xvfb: nothing is left running.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program_dir=$(realpath -m "${1:-$root/build/win64/Swivex}")
program="$program_dir/Swivex.exe"
if [ ! -f "$program" ]; then
  echo "start-swivex: $program does not exist; build it first (tools/run.sh)" >&2
  exit 1
fi
for companion in Viewhost.exe Glowdrift.dll Swivex.chm; do
  if [ ! -f "$program_dir/$companion" ]; then
    echo "start-swivex: $companion is not in $program_dir; the commands that need it will fail" >&2
  fi
done

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Debian's Wine 8 only loads the fonts of fonts-wine ("MS Sans Serif", Tahoma) from a prefix's
# own Fonts folder; without them the windows fall back to another face and another text height.
copy_wine_fonts() {
  local fonts="${WINEPREFIX:-$HOME/.wine}/drive_c/windows/Fonts"
  if [ -d "$fonts" ]; then cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true; fi
}

if [ -n "${DISPLAY:-}" ]; then
  copy_wine_fonts
  exec wine "$program"
fi

state=${XDG_CACHE_HOME:-$HOME/.cache}/swivex
export WINEPREFIX="$state/wine"
screenshot="$state/swivex-main-window.png"
mkdir -p "$state"

display=90
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 &
xvfb=$!
stop_all() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}
trap stop_all EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display}" ] && break; sleep 0.1; done
export DISPLAY=":$display"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "start-swivex: preparing the Wine prefix $WINEPREFIX (once)" >&2
  wineboot -i >"$state/wineboot.log" 2>&1
  wineserver -w
  # No window manager runs in Xvfb: Wine then draws the windows' frames itself, and every
  # window is an X window of its own that xdotool finds by its title.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
fi
copy_wine_fonts

wine "$program" </dev/null >"$state/swivex.log" 2>&1 &

window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Swivex 1\.0$' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "start-swivex: the main window did not appear within 20 seconds; see $state/swivex.log" >&2
  exit 1
fi
sleep 1  # let it paint
eval "$(xdotool getwindowgeometry --shell "$window")"
/usr/bin/import -window root "$state/screen.png"
/usr/bin/convert "$state/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screenshot"
rm -f "$state/screen.png"
echo "Swivex ran in Xvfb; screenshot of its main window: $screenshot"
