#!/usr/bin/env bash
# The real program on Xvfb: a computer demo with one life each is played to its winner, its replay is
# listed and watched at four times the speed to its end, whose picture is the match's last one.
set -euo pipefail
BUILD_DIR=$1
source "$(dirname "$0")/xvfb-session.sh"

# Waits until the field (above the replay's key help) stays still for a second and keeps that picture.
field_settles() {
  for _ in $(seq 300); do
    "$XSHOT" shot "$SESSION_DIR/now.png" 107 0 1066 720
    if [[ -f "$SESSION_DIR/before.png" ]] && read -r changed _ < <("$XSHOT" diff "$SESSION_DIR/before.png" "$SESSION_DIR/now.png") && (( changed == 0 )); then
      mv "$SESSION_DIR/now.png" "$1"; rm -f "$SESSION_DIR/before.png"; return 0
    fi
    mv "$SESSION_DIR/now.png" "$SESSION_DIR/before.png"
    sleep 1
  done
  fail "the field never stood still"
}

start_xvfb
start_game
expect_window 312x320 "the start screen" && sx=$WX sy=$WY
# ISLANDS, where the two soon meet, picked by typing into the open level list ("~Random" would pick
# whatever level the first draw lands on among those shipped).
click_at $((sx + 228)) $((sy + 142))
xdotool type --delay 60 "IS"
xdotool key Return
sleep 0.3
click_at $((sx + 20)) $((sy + 214))  # player 1 from MAN to CPU
for column in 0 1; do
  click_at $((sx + 202 + 32 * column)) $((sy + 166))
  xdotool key ctrl+a type 1
done
click_at $((sx + 150)) $((sy + 122))  # Start
expect_window 1280x800 "the match window"
dismiss_no_sound_notice
field_settles "$SESSION_DIR/match-end.png"  # the winner's picture stays for 5 seconds
for _ in $(seq 100); do window_shown 1280x800 || break; sleep 0.1; done

click_at $((sx + 156)) $((sy + 306))  # Replays...
expect_window 640x360 "the list of replays"
xdotool key Return  # the newest, chosen as the list opens
expect_window 1280x800 "the replay"
xdotool key Up key Up
field_settles "$SESSION_DIR/replay-end.png"
read -r changed _ < <("$XSHOT" diff "$SESSION_DIR/match-end.png" "$SESSION_DIR/replay-end.png")
(( changed == 0 )) || fail "the replay's end differs from the match's in $changed pixels"
xdotool key Escape
sleep 1
window_shown 640x360 || fail "Escape did not lead back to the list"
echo "PASS"
