#!/usr/bin/env bash
# Measures the game's CPU use during a running match on a private Xvfb
# display: the share of one core used by the game process over 10 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
source tests/e2e/xvfb-session.sh

cpu_ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }

start_xvfb
start_game
start=$(wait_window 312x296)
read -r sx sy < <(window_origin "$start")
click_at $((sx + 56)) $((sy + 214))
click_at $((sx + 56)) $((sy + 214))
click_at $((sx + 150)) $((sy + 122))
wait_window 1280x800 >/dev/null
dismiss_no_sound_notice
sleep 1
hertz=$(getconf CLK_TCK)
before=$(cpu_ticks)
started=$(date +%s.%N)
sleep 10
after=$(cpu_ticks)
ended=$(date +%s.%N)
awk -v t=$((after - before)) -v hz="$hertz" -v a="$started" -v b="$ended" \
  'BEGIN { printf "CPU during the match: %.1f %% of one core over %.1f s\n", 100 * t / hz / (b - a), b - a }'
hold_key Escape 0.3
