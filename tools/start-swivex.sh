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

if [ -n "${DISPLAY:-}" ]; then
  bash "$root/tools/copy-wine-fonts.sh" "${WINEPREFIX:-$HOME/.wine}"
  exec wine "$program"
fi

state=${XDG_CACHE_HOME:-$HOME/.cache}/swivex
export WINEPREFIX="$state/wine"
screenshot="$state/swivex-main-window.png"
mkdir -p "$state"

# Everything started below ends with this script, however it ends: the EXIT trap stops it, and
# a watchdog does when the script is killed outright.
stop_all=(bash -c 'wineserver -k 2>/dev/null; bash "$1" "$2"' stop-all
          "$root/tools/stop-xvfb.sh" "$state/xvfb.pid")
watchdog=$(bash "$root/tools/watchdog.sh" $$ "${stop_all[@]}")
trap 'kill "$watchdog" 2>/dev/null; "${stop_all[@]}"' EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

started=$(bash "$root/tools/start-xvfb.sh" "$state/xvfb.log" "$state/xvfb.pid")
read -r display _ <<<"$started"
export DISPLAY=$display

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "start-swivex: preparing the Wine prefix $WINEPREFIX (once)" >&2
  wineboot -i >"$state/wineboot.log" 2>&1
  wineserver -w
  # No window manager runs in Xvfb: Wine then draws the windows' frames itself, and every
  # window is an X window of its own that xdotool finds by its title.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
fi
bash "$root/tools/copy-wine-fonts.sh" "$WINEPREFIX"

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
eval "$(xdotool getwindowgeometry --shell "$window")"

# The window has painted once two pictures of it in a row are the same.
previous="$state/window-previous.ppm"
current="$state/window-current.ppm"
rm -f "$previous"
settled=""
for _ in $(seq 40); do
  /usr/bin/import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$current"
  if [ -f "$previous" ] && cmp -s "$previous" "$current"; then
    settled=yes
    break
  fi
  mv "$current" "$previous"
  sleep 0.25
done
if [ -z "$settled" ]; then
  echo "start-swivex: the main window kept changing for 10 seconds; saving it as it is" >&2
  current=$previous
fi
/usr/bin/convert "$current" "$screenshot"
rm -f "$previous" "$current"
echo "Swivex ran in Xvfb; screenshot of its main window: $screenshot"
