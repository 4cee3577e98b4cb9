#!/usr/bin/env bash
# Peak memory of the game (VmHWM) when one picture file is replaced by the
# given file: the start screen, then two seconds of a Normal match on a
# private Xvfb display. Usage: measure-picture-memory.sh BUILD_DIR NAME FILE
# (NAME as the game reads it, e.g. C.BMP, FONT.BMP, WIN0.BMP, A0.BMP).
# FUSELARK3_BINARY, if set, names the game executable to measure.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=$(realpath "$1")
NAME=$2
FILE=$(realpath "$3")
source tests/e2e/xvfb-session.sh

start_xvfb
cp -r "$BUILD_DIR/game" "$SESSION_DIR/game"
cp "$FILE" "$SESSION_DIR/game/$NAME"
# Another build of the game, e.g. an older one to compare with.
[[ -n "${FUSELARK3_BINARY:-}" ]] && cp "$FUSELARK3_BINARY" "$SESSION_DIR/game/fuselark3"
(cd "$SESSION_DIR/game" && QT_QPA_PLATFORM=xcb exec ./fuselark3 >"$SESSION_DIR/game.log" 2>&1) &
GAME_PID=$!
start=$(wait_window 312x320)
if [[ -z "$start" ]]; then
  echo "$NAME: no start screen; peak $(awk '/VmHWM/ {print $2, $3}' /proc/$GAME_PID/status 2>/dev/null || echo "n/a (ended)")"
  exit 0
fi
read -r sx sy < <(window_origin "$start")
click_at $((sx + 56)) $((sy + 214))
click_at $((sx + 56)) $((sy + 214))
click_at $((sx + 150)) $((sy + 122))
# A message box may come first (an unusable picture is named before the match).
sleep 1
xdotool key Return
wait_window 1280x800 >/dev/null
dismiss_no_sound_notice
sleep 2
echo "$NAME: peak memory $(awk '/VmHWM/ {print $2, $3}' /proc/$GAME_PID/status)"
hold_key Escape 0.3
