#!/usr/bin/env bash
# Starts a whole team of eleven players on the soccer server at HOST (default
# localhost) under the team name TEAM (default Tolvane); the first one
# connects as the goalie and so gets shirt number 1. Every further word is
# an option given to each of the eleven players (--port 7000 for a server
# on another port). Builds the player first when something is missing,
# installing the Debian packages it needs.
#
#   ./start.sh [host] [team] [player options...]
#
# With TOLVANE_LOG_DIR set, every player writes its own message and action
# log into that directory (named after team, shirt number and side).
# Ctrl-C (or the end of this script by a signal) stops all eleven players.
# When the players end at once (no soccer server answered, or it refused
# them), it says why once and returns non-zero if none of them started; when
# the server falls silent in a match, it says so once for the team.
set -euo pipefail
# A relative log directory means one below where the script was started.
log_dir=${TOLVANE_LOG_DIR:+$(realpath -m -- "$TOLVANE_LOG_DIR")}
cd "$(dirname "$0")"

host=${1:-localhost}
team=${2:-Tolvane}
shift $(($# < 2 ? $# : 2))
options=("$@")

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

# Each player's standard error goes to a file of its own first, so that
# eleven players that fail alike can be reported once.
err_dir=$(mktemp -d)
trap 'rm -rf "$err_dir"' EXIT

pids=()
tails=()
stop() {
  trap - INT TERM
  for pid in "${pids[@]}" "${tails[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait
  exit 130
}
trap stop INT TERM

for n in $(seq 1 11); do
  goalie=()
  [ "$n" -eq 1 ] && goalie=(--goalie)
  "$player" --host "$host" --team "$team" "${goalie[@]}" "${logs[@]}" "${options[@]}" \
    2>"$err_dir/$n" &
  pids+=($!)
  # The server numbers the players in the order their init messages come.
  sleep 0.1
done

# A player that no server answers, or that the server refuses, ends about
# a second after its start; one that plays runs for the whole match.
for _ in $(seq 50); do
  running=0
  for pid in "${pids[@]}"; do
    if kill -0 "$pid" 2>/dev/null; then running=$((running + 1)); fi
  done
  [ "$running" -eq 0 ] && break
  sleep 0.1
done

# Every player says when the server has fallen silent; the team says it once.
silent='^tolvane: the server at .* fell silent$'

failed=0
: >"$err_dir/failed"
for i in "${!pids[@]}"; do
  pid=${pids[$i]}
  err="$err_dir/$((i + 1))"
  if kill -0 "$pid" 2>/dev/null; then
    # What it writes while it plays goes on to the terminal.
    tail -n +1 -f --pid="$pid" "$err" | grep --line-buffered -v -- "$silent" >&2 &
    tails+=($!)
  else
    status=0
    wait "$pid" || status=$?
    if [ "$status" -ne 0 ]; then
      failed=$((failed + 1))
      cat "$err" >>"$err_dir/failed"
    else
      grep -v -- "$silent" "$err" >&2 || true
    fi
  fi
done

if [ "$failed" -gt 0 ]; then
  # Each reason once, however many players gave it.
  sed 's/^tolvane: no reply from /no soccer server answered at /' "$err_dir/failed" |
    awk '!seen[$0]++' >&2
  if [ "$failed" -eq "${#pids[@]}" ]; then
    exit 1
  fi
  echo "$failed of ${#pids[@]} players did not start" >&2
fi
wait
grep -h -- "$silent" "$err_dir"/[0-9]* | awk '!seen[$0]++' >&2 || true
