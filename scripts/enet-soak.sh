#!/usr/bin/env bash
# The network soak over real ENet: five-machine matches (host, three players,
# a spectator) on 127.0.0.1 through the shim (round trips 0-400 ms, ±30 ms
# jitter, 0-10 % loss, 1 % duplicated, 1 % reordered), every machine on a
# clock of its own, several matches at once. Usage: enet-soak.sh [build dir]
# [matches] [parallel]. Prints the soak's JSON; exit status 0 only when no
# machine was dropped or out of step and every one ended on the host's hash.
set -euo pipefail
build=${1:-build}
matches=${2:-200}
parallel=${3:-12}
exec nice -n 10 "$build/tools/net/fuselark3-net" enet-soak --levels "$build/game" --matches "$matches" \
  --parallel "$parallel" --seconds 40 --max-rtt 400 --jitter 30 --max-loss 10 --duplicate 1 --reorder 1 --seed 2030
