#!/usr/bin/env bash
# Starts Xvfb on a free display for programs under Wine:
#   start-xvfb.sh LOG_FILE [PID_FILE]
# Prints "DISPLAY PID" (e.g. ":3 4242") once the server accepts connections. PID_FILE, if given,
# gets the pid as soon as Xvfb is started, so that whoever cleans up can stop it even if this
# script is killed while it waits. Xvfb chooses the display itself and writes its number to
# -displayfd only when it is ready: runs starting at the same time cannot take one display twice,
# and nobody connects too early. Fails with Xvfb's log if it has not come up within
# SWIVEX_XVFB_DEADLINE seconds (default 30).
set -euo pipefail
log=$1
pid_file=${2:-}
deadline=${SWIVEX_XVFB_DEADLINE:-30}

channel=$(mktemp -d)
trap 'rm -rf "$channel"' EXIT
mkfifo "$channel/display"

# Only Xvfb holds the FIFO's writing end: should it die before it is ready, the read ends at once.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
  3>"$channel/display" </dev/null >"$log" 2>&1 &
xvfb=$!
if [ -n "$pid_file" ]; then echo "$xvfb" >"$pid_file"; fi

display=""
read -r -t "$deadline" display <"$channel/display" || true
if [ -z "$display" ]; then
  if kill -0 "$xvfb" 2>/dev/null; then
    kill "$xvfb" 2>/dev/null || true
    echo "start-xvfb: Xvfb did not report a display within $deadline seconds; its log ($log):" >&2
  else
    echo "start-xvfb: Xvfb ended without starting; its log ($log):" >&2
  fi
  sed 's/^/  /' "$log" >&2
  exit 1
fi
echo ":$display $xvfb"
