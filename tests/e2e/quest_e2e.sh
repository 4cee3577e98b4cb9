#!/usr/bin/env bash
# The real program on Xvfb plays a quest of two stages through by pressing keys: "Start Game Quest",
# the quest chosen in the chooser, each stage card begun with Enter, each stage outlasted against an
# opponent walled in (it cannot win), the result gone on from with Enter. Escape on the second card
# leaves the quest after asking; QUESTS.SAV then keeps stage 2 open, "Continue" starts there, and
# winning it shows the summary at once and keeps the quest as finished.
set -euo pipefail
BUILD_DIR=$1
source "$(dirname "$0")/xvfb-session.sh"
source "$(dirname "$0")/quest-stages.sh"

stage() {  # briefing
  echo "{\"level\": \"POCKET.FL3\", \"rule\": \"outlast\", \"lives\": 3, \"seconds\": 10, \"briefing\": \"$1\",
         \"opponents\": [{\"strength\": \"easy\", \"lives\": 1, \"character\": 5}]}"
}

start_xvfb
cp -r "$BUILD_DIR/game" "$SESSION_DIR/game"
make_pocket_level "$SESSION_DIR/game"
cat >"$SESSION_DIR/game/TRIAL.FLQ" <<JSON
{"format": 1, "name": "Trial", "about": "Two stages.", "tries": 2,
 "stages": [$(stage "First."), $(stage "Second.")]}
JSON
rm -f "$SESSION_DIR/game/QUESTS.SAV"
run_copy "$SESSION_DIR/game.log"
GAME_PID=$COPY_PID
expect_window 312x320 "the start screen" && sx=$WX sy=$WY
for _ in 1 2 3 4; do click_at $((sx + 302)) $((sy + 129)); done  # the kind spinner's lower arrow, to 4

choose_trial() {  # the campaign comes first, the trial second
  click_at $((sx + 150)) $((sy + 122))
  focus 560x340 "the quest chooser"
  xdotool key Down Return
}
choose_trial
play_stage
xdotool key Return
focus 600x440 "the second stage's card"
xdotool key Escape
answer_box "$GAME_PID" '^Leave the quest$' || fail "Escape did not ask whether to leave the quest"
sleep 0.5
window_shown 600x440 && fail "the quest was not left"
grep -q '"reached": 2' "$SESSION_DIR/game/QUESTS.SAV" || fail "QUESTS.SAV does not keep stage 2 open"

choose_trial  # Continue: stage 2, the last, so winning it ends the quest
play_stage
xdotool key Return
focus 560x420 "the quest's summary"
grep -q '"finished": true' "$SESSION_DIR/game/QUESTS.SAV" || fail "QUESTS.SAV does not keep the quest as finished"
[[ $(ls "$SESSION_DIR/game/replays" | grep -c 'POCKET') == 2 ]] || fail "the two stages left no two replays"
[[ -n "${SCREENSHOT_DIR:-}" ]] && "$XSHOT" shot "$SCREENSHOT_DIR/quest-summary.png" "$WX" "$WY" 560 420
xdotool key Return
sleep 0.5
window_shown 560x420 && fail "the summary did not close"
window_shown 312x320 || fail "the start screen is not back"

click_at $((sx + 156)) $((sy + 282))  # Quit
for _ in $(seq 30); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$GAME_PID" 2>/dev/null && fail "Quit did not end the program"
GAME_PID=""
echo "PASS"
