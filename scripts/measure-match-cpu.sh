#!/usr/bin/env bash
# Measures what a running two-player match costs on a private Xvfb display of
# the given size: the game process's share of one core over 10 seconds and
# its resident memory (the highest of one sample a second).
#   scripts/measure-match-cpu.sh [build dir] [screen size, e.g. 1920x1080]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
export XVFB_SCREEN=${2:-1280x800}
source tests/e2e/xvfb-session.sh

cpu_ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }
resident_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$GAME_PID/status"; }

start_xvfb
start_game
start=$(wait_window 312x320)
read -r sx sy < <(window_origin "$start")
click_at $((sx + 56)) $((sy + 214))
click_at $((sx + 56)) $((sy + 214))
click_at $((sx + 150)) $((sy + 122))
wait_window "$XVFB_SCREEN" >/dev/null
dismiss_no_sound_notice
sleep 1
hertz=$(getconf CLK_TCK)
before=$(cpu_ticks)
started=$(date +%s.%N)
peak_kb=0
for _ in $(seq 10); do
  sleep 1
  kb=$(resident_kb)
  if ((kb > peak_kb)); then peak_kb=$kb; fi
done
after=$(cpu_ticks)
ended=$(date +%s.%N)
awk -v t=$((after - before)) -v hz="$hertz" -v a="$started" -v b="$ended" -v kb="$peak_kb" -v size="$XVFB_SCREEN" \
  'BEGIN { printf "%s: CPU during the match %.1f %% of one core over %.1f s, resident memory %.1f MB\n",
           size, 100 * t / hz / (b - a), b - a, kb / 1024 }'
hold_key Escape 0.3
