# Helpers for end-to-end tests that play quests; source after xvfb-session.sh.

# Writes POCKET.FL3 into the folder $1: an open field with the opponent (player 2) walled in at
# (12, 7), out of every blast, so that it cannot win.
make_pocket_level() {
  local tiles=() items=() cell wall
  for ((cell = 0; cell < 375; ++cell)); do tiles+=(-1) items+=(0); done
  for wall in $((6 * 25 + 12)) $((8 * 25 + 12)) $((7 * 25 + 11)) $((7 * 25 + 13)); do tiles[wall]=4; done
  local IFS=,
  cat >"$SESSION_DIR/pocket.json" <<JSON
{"figures": [{"x": 1, "y": 1, "bombs": 0, "fire": 1}, {"x": 12, "y": 7, "bombs": 0, "fire": 1},
             {"x": 23, "y": 13, "bombs": 0, "fire": 1}, {"x": 50, "y": 50, "bombs": 0, "fire": 1}],
 "tiles": [${tiles[*]}], "items": [${items[*]}],
 "tileset": 3, "background": -1, "music": ""}
JSON
  "$BUILD_DIR/tools/level/fuselark3-level" make "$SESSION_DIR/pocket.json" "$1/POCKET.FL3"
}

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

# Card: Enter; the match: walk about until the time is up and the winner shown; ends on the result.
play_stage() {
  focus 600x440 "the stage card"
  xdotool key Return
  expect_window 1280x800 "the stage's match"
  dismiss_no_sound_notice
  hold_key Down 0.5
  hold_key Right 0.5
  for _ in $(seq 300); do window_shown 1280x800 || break; sleep 0.1; done
  window_shown 1280x800 && fail "the stage did not end"
  focus 360x220 "the stage's result"
}
