#!/usr/bin/env bash
# Measures how hard the shipped campaign is: plays every stage N times (100
# unless given) with an Easy, a Normal and a Hard computer player in the
# player's seat and prints each stage's win share against the goals: Easy wins
# each of the first 3 stages at least 80 %, Hard wins every stage at least
# 25 %, and with Normal the share does not rise from the first quarter to the
# last and the last 4 stages are won at most 60 %.
#   scripts/campaign-difficulty.sh [build dir] [matches per stage] [seed]
set -euo pipefail
BUILD_DIR=${1:-build}
MATCHES=${2:-100}
SEED=${3:-1}
ARENA="$BUILD_DIR/tools/arena/fuselark3-arena"
QUEST="$BUILD_DIR/game/CAMPAIGN.FLQ"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for strength in 0 1 2; do
  nice -n 10 "$ARENA" --quest "$QUEST" --stand-in "cpu:$strength" --matches "$MATCHES" --seed "$SEED" \
    >"$work/$strength.json" &
done
wait

# One line per stage: level, rule and win share, in stage order.
shares() { awk -F'"' '/"level"/ {level = $4} /"rule"/ {rule = $4} /"win_share"/ {gsub(/[ ,]/, "", $3); sub(/:/, "", $3); print level "|" rule "|" $3}' "$work/$1.json"; }
quarter() { awk -F'"' -v which="$2" '/_quarter_win_share/ && $2 == which {gsub(/[ :,]/, "", $3); print $3}' "$work/$1.json"; }

paste -d'|' <(shares 0) <(shares 1 | cut -d'|' -f3) <(shares 2 | cut -d'|' -f3) | awk -F'|' -v matches="$MATCHES" '
  BEGIN { print "| Stage | Level | Rule | Easy | Normal | Hard |"; print "|---|---|---|---|---|---|" }
  {
    n = NR; easy = $3; normal = $4; hard = $5
    printf "| %d | %s | %s | %.0f %% | %.0f %% | %.0f %% |\n", n, $1, $2, 100 * easy, 100 * normal, 100 * hard
    if (n <= 3 && easy < 0.8) missed = missed "\n  Easy wins stage " n " less than 80 %"
    if (hard < 0.25) missed = missed "\n  Hard wins stage " n " less than 25 %"
    normals[n] = normal
  }
  END {
    for (i = n - 3; i <= n; ++i) if (normals[i] > 0.6) missed = missed "\n  Normal wins stage " i " more than 60 %"
    print ""
    print (missed == "" ? "Every stage goal met" : "Goals missed:" missed) " (" matches " matches a stage)."
  }'
first=$(quarter 1 first_quarter_win_share)
last=$(quarter 1 last_quarter_win_share)
echo "Normal: first quarter $first, last quarter $last" \
  "($(awk -v a="$first" -v b="$last" 'BEGIN { print (b <= a ? "does not rise" : "RISES") }'))."
