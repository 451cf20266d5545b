#!/usr/bin/env bash
# Runs a command once a process has ended, however it ended:
#   watchdog.sh PID COMMAND ARGS...
# Prints the watchdog's own pid and returns at once; kill that pid to call the watchdog off.
#
# Scripts that start servers (Xvfb, wineserver -p) stop them in their EXIT traps, but no trap
# runs when a script is killed with SIGKILL, as CTest kills a test that ran out of time. The
# watchdog covers that case: it runs in a session of its own, outside the killed process's
# group and tree, with no terminal or pipe of the caller held open (CTest waits for a test's
# pipes to close). A zombie or a new process that reused the pid counts as ended.
set -euo pipefail

if [ "${1:-}" != --detached ]; then
  if [ $# -lt 2 ]; then
    echo "usage: watchdog.sh PID COMMAND ARGS..." >&2
    exit 2
  fi
  exec setsid -f bash "$0" --detached "$@"
fi
shift
watched=$1
shift

# The process's start time, or nothing once it has ended (or is a zombie waiting to be reaped).
start_time_of() {
  local stat
  read -r stat 2>/dev/null <"/proc/$1/stat" || return 0
  stat=${stat##*) }  # the fields after the command name, which may hold spaces and parentheses
  local -a fields
  read -r -a fields <<<"$stat"
  [ "${fields[0]}" != Z ] || return 0
  echo "${fields[19]}"
}

started=$(start_time_of "$watched")
echo $$
exec </dev/null >/dev/null 2>&1
if [ -n "$started" ]; then
  while [ "$(start_time_of "$watched")" = "$started" ]; do sleep 0.5; done
fi
exec "$@"
