#!/usr/bin/env bash
# The real program on Xvfb: two MAN players start a Normal match with Enter, player 1 walks and
# plants with a tap shorter than a frame, Escape returns to the start screen, Quit ends it. A second
# copy says in one box that the game runs and ends; after a kill the next start takes over the lock.
set -euo pipefail
BUILD_DIR=$1
source "$(dirname "$0")/xvfb-session.sh"

start_xvfb
start_game
expect_window 312x320 "the start screen" && sx=$WX sy=$WY

run_copy "$SESSION_DIR/second.log"
answer_box "$COPY_PID" '^FUSELARK3$' 100 || fail "a second copy showed no box"
status=0 && wait "$COPY_PID" || status=$?
(( status == 1 )) && kill -0 "$GAME_PID" 2>/dev/null || fail "the second copy ended with status $status or ended the first"

# Player 2 goes CPU -> OFF -> MAN; the click leaves the focus on Start.
click_at $((sx + 56)) $((sy + 214))
click_at $((sx + 56)) $((sy + 214))
xdotool key Return
expect_window 1280x800 "the match window"
dismiss_no_sound_notice
sleep 0.5

"$XSHOT" shot "$SESSION_DIR/before.png"
# The field is drawn: the 800 x 600 picture scaled to 1066 x 800 at x 107.
colours=$("$XSHOT" colours "$SESSION_DIR/before.png" 107 0 1066 640)
(( colours > 50 )) || fail "the field is not drawn ($colours colours)"

for key in Right Left Down Up; do  # at least one way is open
  hold_key "$key" 0.6
done
sleep 0.3
"$XSHOT" shot "$SESSION_DIR/after.png"
read -r changed _ _ width height < <("$XSHOT" diff "$SESSION_DIR/before.png" "$SESSION_DIR/after.png")
(( changed > 100 )) || fail "no figure moved"
(( width < 400 && height < 400 )) || fail "more than one figure's surroundings changed (${width}x${height})"
[[ -n "${SCREENSHOT_OUT:-}" ]] && cp "$SESSION_DIR/after.png" "$SCREENSHOT_OUT"
xdotool keydown Control_L keyup Control_L  # player 2's plant key, far shorter than a 51 ms frame
sleep 0.3
"$XSHOT" shot "$SESSION_DIR/planted.png"
read -r changed _ _ width height < <("$XSHOT" diff "$SESSION_DIR/after.png" "$SESSION_DIR/planted.png")
(( changed > 20 && width < 100 && height < 100 )) || fail "a short tap planted no bomb ($changed pixels, ${width}x${height})"

hold_key Escape 0.3
sleep 1
window_shown 1280x800 && fail "Escape did not end the match"
window_shown 312x320 || fail "the start screen is not back"

kill -9 "$GAME_PID" && { wait "$GAME_PID" 2>/dev/null || true; }
run_copy "$SESSION_DIR/game.log"
GAME_PID=$COPY_PID
expect_window 312x320 "the start screen after a killed copy" && sx=$WX sy=$WY

click_at $((sx + 156)) $((sy + 282))  # Quit
for _ in $(seq 30); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$GAME_PID" 2>/dev/null && fail "Quit did not end the program"
GAME_PID=""
echo "PASS"
