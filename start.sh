#!/usr/bin/env bash
# Starts a whole team of eleven players on the soccer server at HOST (default
# localhost) under the team name TEAM (default Tolvane); the first one
# connects as the goalie and so gets shirt number 1. Builds the player first
# when something is missing, installing the Debian packages it needs.
#
#   ./start.sh [host] [team]
#
# With TOLVANE_LOG_DIR set, every player writes its own message and action
# log into that directory (named after team, shirt number and side).
# Ctrl-C (or the end of this script by a signal) stops all eleven players.
set -euo pipefail
# A relative log directory means one below where the script was started.
log_dir=${TOLVANE_LOG_DIR:+$(realpath -m -- "$TOLVANE_LOG_DIR")}
cd "$(dirname "$0")"

host=${1:-localhost}
team=${2:-Tolvane}

packages=(cmake g++ libboost-dev zlib1g-dev swi-prolog-core)
. tools/install-packages.sh

build=build-release
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_TESTS=OFF
fi
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target tolvane_bare
player="$build/tolvane"

logs=()
if [ -n "$log_dir" ]; then
  mkdir -p "$log_dir"
  logs=(--save-message-log --save-action-log
        --message-log-dir "$log_dir" --action-log-dir "$log_dir")
fi

pids=()
stop() {
  trap - INT TERM
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait
  exit 130
}
trap stop INT TERM

for n in $(seq 1 11); do
  goalie=()
  [ "$n" -eq 1 ] && goalie=(--goalie)
  "$player" --host "$host" --team "$team" "${goalie[@]}" "${logs[@]}" &
  pids+=($!)
  # The server numbers the players in the order their init messages come.
  sleep 0.1
done
wait
