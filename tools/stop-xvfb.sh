#!/usr/bin/env bash
# Stops the Xvfb whose pid start-xvfb.sh wrote into PID_FILE, waits until it has ended, and
# removes the file:   stop-xvfb.sh PID_FILE
# A pid file left behind by an earlier run may name another process by now: only an Xvfb is
# stopped. One that does not end within 10 seconds of SIGTERM gets SIGKILL.
set -uo pipefail
file=$1
[ -f "$file" ] || exit 0
pid=$(cat "$file")

running_xvfb() {
  local name stat
  read -r name 2>/dev/null <"/proc/$pid/comm" || return 1
  [ "$name" = Xvfb ] || return 1
  read -r stat 2>/dev/null <"/proc/$pid/stat" || return 1
  stat=${stat##*) }
  [ "${stat%% *}" != Z ]  # a zombie has ended; its parent has yet to reap it
}

if [ -n "$pid" ] && running_xvfb; then
  kill "$pid" 2>/dev/null
  for _ in $(seq 100); do
    running_xvfb || break
    sleep 0.1
  done
  if running_xvfb; then kill -KILL "$pid" 2>/dev/null; fi
fi
rm -f "$file"
