#!/usr/bin/env bash
# The network soak: four-machine matches over the in-memory link (round trips
# 0-400 ms, ±30 ms jitter, 0-10 % loss, 1 % duplicated, 1 % reordered), then
# every host's replay checked by the replay checker. Usage: net-soak.sh
# [build dir] [matches]. Prints the soak's JSON and the count of replays the
# checker refuses; exit status 0 only when everything agrees.
set -euo pipefail
build=${1:-build}
matches=${2:-1000}
replays=$(mktemp -d)
trap 'rm -rf "$replays"' EXIT
status=0
nice "$build/tools/net/fuselark3-net" soak --levels "$build/game" --matches "$matches" --max-rtt 400 --jitter 30 \
  --max-loss 10 --duplicate 1 --reorder 1 --seed 2025 --replays "$replays" || status=1
refused=0
for replay in "$replays"/*.REPLAY; do
  "$build/tools/sim/fuselark3-sim" --replay "$replay" >/dev/null || refused=$((refused + 1))
done
echo "replays refused by fuselark3-sim --replay: $refused"
((refused == 0)) || status=1
exit "$status"
