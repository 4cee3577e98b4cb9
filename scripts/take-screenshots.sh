#!/usr/bin/env bash
# Takes the pictures in docs/ from the real program on a private Xvfb
# display: start screen, options window with its key test, editor with both
# property dialogs, the network play settings, the quest editor, a match on
# every tileset, the replays, the quests, and network play (two games on two
# displays). Needs a built tree (./test.sh or ./run.sh builds one).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
source tests/e2e/xvfb-session.sh

shot_window() {  # window id, output file
  local x y w h
  [[ -n "$1" ]] || { echo "window for $2 did not appear" >&2; exit 1; }
  read -r x y < <(window_origin "$1")
  read -r w h < <(xdotool getwindowgeometry "$1" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')
  "$XSHOT" shot "$2" "$x" "$y" "$w" "$h"
  echo "wrote $2"
}

start_xvfb
start_game
start=$(wait_window 312x320)
read -r sx sy < <(window_origin "$start")
shot_window "$start" docs/start-screen.png

click_at $((sx + 156)) $((sy + 258))  # Options
dismiss_no_sound_notice
options=$(wait_window 681x394)
read -r ox oy < <(window_origin "$options")
sleep 0.5
shot_window "$options" docs/options-window.png
click_at $((ox + 54)) $((oy + 378))  # Key Test...
keytest=$(wait_window 453x290)
xdotool keydown Left keydown Up keydown Right keydown Down  # player 1 without the bomb key
sleep 0.5
shot_window "$keytest" docs/key-test.png
xdotool keyup Left keyup Up keyup Right keyup Down
read -r kx ky < <(window_origin "$keytest")
click_at $((kx + 402)) $((ky + 275))  # Close
click_at $((ox + 402)) $((oy + 378))  # Close

click_at $((sx + 150)) $((sy + 234))  # Edit Level
editor=$(wait_window 579x303)
read -r ex ey < <(window_origin "$editor")
click_at $((ex + 60)) $((ey + 28))  # the name field
xdotool type --delay 20 "ARENA.FL3"
click_at $((ex + 50)) $((ey + 108))  # Open
xdotool mousemove $((ex + 330)) $((ey + 120))
sleep 0.5
shot_window "$editor" docs/editor.png

click_at $((ex + 432)) $((ey + 290))  # Ext. Level Props (Numbers)
numbers=$(wait_window 312x392)
sleep 0.3
shot_window "$numbers" docs/editor-numbers.png
read -r nx ny < <(window_origin "$numbers")
click_at $((nx + 276)) $((ny + 378))  # Close

click_at $((ex + 276)) $((ey + 290))  # Ext. Level Props (Texts)
texts=$(wait_window 311x391)
sleep 0.3
shot_window "$texts" docs/editor-texts.png
read -r tx ty < <(window_origin "$texts")
click_at $((tx + 276)) $((ty + 378))  # Close
click_at $((ex + 544)) $((ey + 290))  # Exit

# The network play settings: the edit spinner's lower arrow twice, a name typed.
for _ in 1 2; do click_at $((sx + 302)) $((sy + 241)); done
click_at $((sx + 150)) $((sy + 234))  # Edit NetPlay Session
session=$(wait_titled "NetPlay Session")
xdotool type --delay 20 "Ann"
sleep 0.3
shot_window "$session" docs/netplay-session.png
xdotool key Escape
for _ in 1 2; do click_at $((sx + 302)) $((sy + 227)); done  # back to Edit Level
# The quest editor on the shipped campaign, its third stage chosen.
click_at $((sx + 302)) $((sy + 241))  # the edit spinner's lower arrow: "Edit Quest"
click_at $((sx + 150)) $((sy + 234))
quests=$(wait_window 700x372)
read -r qx qy < <(window_origin "$quests")
click_at $((qx + 60)) $((qy + 30))  # the name field
xdotool type --delay 20 "CAMPAIGN.FLQ"
click_at $((qx + 50)) $((qy + 108))  # Open
click_at $((qx + 280)) $((qy + 29))  # the first stage, then down to the third
xdotool key Down Down
sleep 0.5
shot_window "$quests" docs/quest-editor.png
click_at $((qx + 663)) $((qy + 354))  # Exit
click_at $((sx + 302)) $((sy + 227))  # the edit spinner's upper arrow: "Edit Level" again

# A match: the level picked by typing the start of its name into the open
# level list, player 2 from CPU to MAN, then Start. Both players plant a bomb
# beside the box next to their start and step round a corner; the picture
# is taken once the fire has burnt the boxes.
hold_both() {  # player 1's key, player 2's key, held together for one step
  xdotool keydown "$1" keydown "$2"
  sleep 0.15
  xdotool keyup "$1" keyup "$2"
  sleep 0.1
}

shoot_match() {  # typed start of the level's name ("" keeps the first), output file
  if [[ -n "$1" ]]; then
    click_at $((sx + 228)) $((sy + 142))
    xdotool type --delay 60 "$1"
    xdotool key Return
    sleep 0.3
  fi
  click_at $((sx + 56)) $((sy + 214))
  click_at $((sx + 56)) $((sy + 214))
  click_at $((sx + 150)) $((sy + 122))
  wait_window 1280x800 >/dev/null
  sleep 1.5
  dismiss_no_sound_notice
  hold_both Right a
  hold_both Control_R Control_L
  hold_both Left d
  hold_both Down s
  sleep 3.5
  "$XSHOT" shot "$2" 107 0 1066 800
  echo "wrote $2"
  hold_key Escape 0.3
  sleep 0.8
}

shoot_match "" docs/match.png
shoot_match GA docs/match-garden.png
shoot_match CA docs/match-cavern.png
shoot_match SU docs/match-sunrise.png
shoot_match CR docs/match-crossfire.png
shoot_match MA docs/match-maze.png
shoot_match OA docs/match-oasis.png

# A computer demo with one life each, played to its winner; then the list of
# replays (the matches above and the demo) and the demo's replay, paused.
click_at $((sx + 20)) $((sy + 214))  # player 1 from MAN to CPU
for column in 0 1; do
  click_at $((sx + 202 + 32 * column)) $((sy + 166))
  xdotool key ctrl+a type 1
done
click_at $((sx + 150)) $((sy + 122))
wait_window 1280x800 >/dev/null
dismiss_no_sound_notice
for _ in $(seq 600); do window_shown 1280x800 || break; sleep 0.5; done
click_at $((sx + 156)) $((sy + 306))  # Replays...
replays=$(wait_window 640x360)
sleep 0.5
shot_window "$replays" docs/replays.png
xdotool key Return
wait_window 1280x800 >/dev/null
sleep 6
xdotool key space
sleep 0.5
"$XSHOT" shot docs/replay-paused.png 107 0 1066 800
echo "wrote docs/replay-paused.png"
# Escape until the watching and then the list are closed; each needs the keyboard first.
for window in 1280x800 640x360; do
  for _ in $(seq 10); do
    id=$(visible_window "$window") || break
    xdotool windowfocus "$id" 2>/dev/null || true
    xdotool key Escape
    sleep 1
  done
done

# The quests: the chooser with the shipped campaign and its first stage's card;
# the kind spinner's lower arrow turns it to "Start Game Quest".
for _ in 1 2 3 4; do click_at $((sx + 302)) $((sy + 129)); done
click_at $((sx + 150)) $((sy + 122))
chooser=$(wait_window 560x340)
sleep 0.5
shot_window "$chooser" docs/quest-chooser.png
read -r qx qy < <(window_origin "$chooser")
xdotool windowfocus "$chooser" 2>/dev/null || true
xdotool mousemove $((qx + 5)) $((qy + 5)) key Return  # Continue
card=$(wait_window 600x440)
sleep 0.5
shot_window "$card" docs/quest-card.png
xdotool windowfocus "$card" 2>/dev/null || true
xdotool key Escape
answer_box "$GAME_PID" '^Leave the quest$'
click_at $((sx + 156)) $((sy + 282))  # Quit

# The quest's summary, taken by the end-to-end test that plays a quest through.
SCREENSHOT_DIR=docs tests/e2e/quest_e2e.sh "$BUILD_DIR"

# Network play: the host's waiting room, the join dialog and a match with its
# connection line, one naming a player whose machine died, taken by the
# end-to-end test of two games on two displays.
SCREENSHOT_DIR=docs tests/e2e/netplay_e2e.sh "$BUILD_DIR"
