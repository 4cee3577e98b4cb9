#!/usr/bin/env bash
# The real program on Xvfb: "Edit Quest" makes a quest of two stages (the second a copy of the
# first, Ctrl+D) on a level where the opponent cannot win and saves it; the editor is left and
# opened again, the quest opened, its second stage's time changed and tried (card, match, result,
# back in the editor), and saved over the old file after the question. "Start Game Quest" then
# plays the saved quest through to its summary.
set -euo pipefail
BUILD_DIR=$1
source "$(dirname "$0")/xvfb-session.sh"
source "$(dirname "$0")/quest-stages.sh"

start_xvfb
cp -r "$BUILD_DIR/game" "$SESSION_DIR/game"
make_pocket_level "$SESSION_DIR/game"
rm -f "$SESSION_DIR/game/QUESTS.SAV" "$SESSION_DIR/game/POCKET.FLQ"
run_copy "$SESSION_DIR/game.log"
GAME_PID=$COPY_PID
QUEST="$SESSION_DIR/game/POCKET.FLQ"
expect_window 312x320 "the start screen" && sx=$WX sy=$WY

open_editor() {
  click_at $((sx + 150)) $((sy + 234))  # Edit Quest
  focus 700x372 "the quest editor"
  ex=$WX ey=$WY
}
type_into() {  # x, y, text: the field's text replaced
  click_at $((ex + $1)) $((ey + $2))
  xdotool key ctrl+a type --delay 30 "$3"
}
pick() {  # x, y, start of an entry of the drop-down list there
  click_at $((ex + $1)) $((ey + $2))
  xdotool type --delay 60 "$3"
  xdotool key Return
  sleep 0.3
}
choose_second_stage() {
  click_at $((ex + 280)) $((ey + 29))  # the first entry of the stage list
  xdotool key Down
}
exit_editor() {
  click_at $((ex + 663)) $((ey + 354))
  sleep 0.5
  window_shown 700x372 && fail "Exit did not leave the quest editor"
  return 0
}

click_at $((sx + 302)) $((sy + 241))  # the edit spinner's lower arrow: "Edit Quest"
open_editor
type_into 80 169 "Pocket Trial"
pick 560 29 "POCKET"
pick 500 53 "Out"
type_into 609 77 "10"
click_at $((ex + 463)) $((ey + 239))  # the first opponent: Normal, Hard,
click_at $((ex + 463)) $((ey + 239))  # Easy
type_into 455 262 "1"
type_into 540 315 "First."
click_at $((ex + 280)) $((ey + 29))
xdotool key ctrl+d
type_into 540 315 "Second."
type_into 60 30 "POCKET"
click_at $((ex + 126)) $((ey + 108))  # Save As
[[ -f "$QUEST" ]] || fail "Save As wrote no POCKET.FLQ"
grep -q '"briefing": "Second."' "$QUEST" || fail "the saved quest lacks its second stage"
exit_editor

open_editor
type_into 60 30 "POCKET.FLQ"
click_at $((ex + 50)) $((ey + 108))  # Open
choose_second_stage
type_into 609 77 "12"
[[ -n "${SCREENSHOT_DIR:-}" ]] && "$XSHOT" shot "$SCREENSHOT_DIR/quest-editor.png" "$ex" "$ey" 700 372
click_at $((ex + 553)) $((ey + 354))  # Try Stage
play_stage
xdotool key Return
focus 700x372 "the quest editor after the try"
click_at $((ex + 126)) $((ey + 108))  # Save As
answer_box "$GAME_PID" '^File exsists!$' || fail "Save As did not ask before writing over POCKET.FLQ"
grep -q '"seconds": 12' "$QUEST" || fail "the changed stage was not saved"
grep -q '"briefing": "First."' "$QUEST" || fail "Open did not bring back the first stage"
exit_editor

for _ in 1 2 3 4; do click_at $((sx + 302)) $((sy + 129)); done  # the kind spinner's lower arrow, to 4
click_at $((sx + 150)) $((sy + 122))  # Start Game Quest
focus 560x340 "the quest chooser"
xdotool key Down Return  # the campaign comes first
play_stage
xdotool key Return
play_stage
xdotool key Return
focus 560x420 "the quest's summary"
grep -q '"finished": true' "$SESSION_DIR/game/QUESTS.SAV" || fail "QUESTS.SAV does not keep the quest as finished"
echo "PASS"
