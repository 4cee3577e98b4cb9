#!/usr/bin/env bash
# The real program on Xvfb plays a quest of two stages through by pressing keys: "Start Game Quest",
# the quest chosen in the chooser, each stage card begun with Enter, each stage outlasted against an
# opponent walled in (it cannot win), the result gone on from with Enter. Escape on the second card
# leaves the quest after asking; QUESTS.SAV then keeps stage 2 open, "Continue" starts there, and
# winning it shows the summary at once and keeps the quest as finished.
set -euo pipefail
BUILD_DIR=$1
source "$(dirname "$0")/xvfb-session.sh"
LEVEL_TOOL="$BUILD_DIR/tools/level/fuselark3-level"

# An open field with the opponent (player 2) walled in at (12, 7), out of every blast.
tiles=() items=()
for ((cell = 0; cell < 375; ++cell)); do tiles+=(-1) items+=(0); done
for wall in $((6 * 25 + 12)) $((8 * 25 + 12)) $((7 * 25 + 11)) $((7 * 25 + 13)); do tiles[wall]=4; done
join() { local IFS=,; echo "$*"; }
cat >"$SESSION_DIR/pocket.json" <<JSON
{"figures": [{"x": 1, "y": 1, "bombs": 0, "fire": 1}, {"x": 12, "y": 7, "bombs": 0, "fire": 1},
             {"x": 23, "y": 13, "bombs": 0, "fire": 1}, {"x": 50, "y": 50, "bombs": 0, "fire": 1}],
 "tiles": [$(join "${tiles[@]}")], "items": [$(join "${items[@]}")],
 "tileset": 3, "background": -1, "music": ""}
JSON
stage() {  # briefing
  echo "{\"level\": \"POCKET.FL3\", \"rule\": \"outlast\", \"lives\": 3, \"seconds\": 10, \"briefing\": \"$1\",
         \"opponents\": [{\"strength\": \"easy\", \"lives\": 1, \"character\": 5}]}"
}

start_xvfb
cp -r "$BUILD_DIR/game" "$SESSION_DIR/game"
"$LEVEL_TOOL" make "$SESSION_DIR/pocket.json" "$SESSION_DIR/game/POCKET.FL3"
cat >"$SESSION_DIR/game/TRIAL.FLQ" <<JSON
{"format": 1, "name": "Trial", "about": "Two stages.", "tries": 2,
 "stages": [$(stage "First."), $(stage "Second.")]}
JSON
rm -f "$SESSION_DIR/game/QUESTS.SAV"
run_copy "$SESSION_DIR/game.log"
GAME_PID=$COPY_PID
expect_window 312x320 "the start screen" && sx=$WX sy=$WY
for _ in 1 2 3 4; do click_at $((sx + 302)) $((sy + 129)); done  # the kind spinner's lower arrow, to 4

# Keys go to the window under the pointer on a display without a window manager.
focus() {  # size, what
  local id
  id=$(wait_window "$1")
  [[ -n "$id" ]] || fail "$2 did not appear"
  read -r WX WY < <(window_origin "$id")
  xdotool windowfocus "$id" 2>/dev/null || true
  xdotool mousemove $((WX + 5)) $((WY + 5))
  sleep 0.3
}
choose_trial() {  # the campaign comes first, the trial second
  click_at $((sx + 150)) $((sy + 122))
  focus 520x300 "the quest chooser"
  xdotool key Down Return
}
play_stage() {  # card: Enter; the match: walk about until the time is up and the winner shown
  focus 560x400 "the stage card"
  xdotool key Return
  expect_window 1280x800 "the stage's match"
  dismiss_no_sound_notice
  hold_key Down 0.5
  hold_key Right 0.5
  for _ in $(seq 300); do window_shown 1280x800 || break; sleep 0.1; done
  window_shown 1280x800 && fail "the stage did not end"
  focus 360x220 "the stage's result"
}

choose_trial
play_stage
xdotool key Return
focus 560x400 "the second stage's card"
xdotool key Escape
answer_box "$GAME_PID" '^Leave the quest$' || fail "Escape did not ask whether to leave the quest"
sleep 0.5
window_shown 560x400 && fail "the quest was not left"
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
