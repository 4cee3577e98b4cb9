# Shared helpers for driving the real game on a private Xvfb display.
# Source it with BUILD_DIR set to the build folder (and XVFB_SCREEN to a
# screen size such as 1920x1080 if 1280x800 will not do).

XSHOT="$BUILD_DIR/tests/e2e/fuselark3-xshot"
SESSION_DIR=$(mktemp -d /tmp/fuselark3-e2e.XXXXXX)
GAME_PID=""
GAME_LOG=""
STARTED_PIDS=()  # every game and display this session started

end_session() {
  for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null
  rm -rf "$SESSION_DIR"
}
trap end_session EXIT

start_xvfb() {
  local fd_file
  fd_file=$(mktemp "$SESSION_DIR/display.XXXXXX")
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x800}x24" -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  STARTED_PIDS+=($!)
  for _ in $(seq 50); do [[ -s "$fd_file" ]] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$fd_file")"
}

# Runs the game from a copy of the game folder (SESSION_DIR/NAME, "game"
# unless named), so nothing the test does (saved keys, levels) lands in the build.
start_game() {
  local name=${1:-game}
  cp -r "$BUILD_DIR/game" "$SESSION_DIR/$name"
  run_copy "$SESSION_DIR/$name.log" "$name"
  GAME_PID=$COPY_PID
}

# Starts the program in the copied folder (SESSION_DIR/$2, "game" unless
# named) on the X display, logging to $1; sets COPY_PID and GAME_LOG.
run_copy() {
  GAME_LOG=$1
  (cd "$SESSION_DIR/${2:-game}" && QT_QPA_PLATFORM=xcb exec ./fuselark3 >"$1" 2>&1) &
  COPY_PID=$!
  STARTED_PIDS+=("$COPY_PID")
}

# Ends the test, with the last lines the game logged.
fail() { echo "FAIL: $*"; grep -v ALSA "$GAME_LOG" 2>/dev/null | tail -5; exit 1; }

# Prints the id of the game's first visible window of that size now; fails when there is none.
visible_window() {
  local candidate
  for candidate in $(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null); do
    xdotool getwindowgeometry "$candidate" | grep -q "Geometry: ${1}\$" && { echo "$candidate"; return 0; }
  done
  return 1
}

# Prints the id of the game's first visible window of that title, waiting
# for it (up to $2 tenths of a second, 150 unless given); fails when none appears.
wait_titled() {
  local candidate
  for _ in $(seq "${2:-150}"); do
    for candidate in $(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null); do
      [[ $(xdotool getwindowname "$candidate" 2>/dev/null) == "$1" ]] && { echo "$candidate"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Whether the game shows a window of that size now.
window_shown() { visible_window "$1" >/dev/null; }

# Prints the id of the game's first visible window of that size, waiting for it.
wait_window() {
  for _ in $(seq 300); do
    visible_window "$1" && return 0
    sleep 0.1
  done
}

# Position of a window's client area: "X Y".
window_origin() {
  xdotool getwindowgeometry "$1" | awk '/Position/ {split($2, p, ","); print p[1], p[2]}'
}

# Waits for the game's window of that size and sets WX and WY to its client
# area's position; the test fails, naming WHAT, if it does not appear.
expect_window() {
  local id
  id=$(wait_window "$1")
  [[ -n "$id" ]] || fail "$2 did not appear"
  read -r WX WY < <(window_origin "$id")
}

click_at() {
  xdotool mousemove "$1" "$2" click 1
  sleep 0.3
}

# Holds a key (by key name), as a player would, long enough for the game's
# 51 ms keyboard polls to see it.
hold_key() {
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
}

# OKs the first window of process $1 titled to match pattern $2, looking $3 times (default 20) a
# tenth of a second apart; status 1 when none showed.
answer_box() {
  local candidate
  for _ in $(seq "${3:-20}"); do
    for candidate in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
      if [[ $(xdotool getwindowname "$candidate" 2>/dev/null) =~ $2 ]]; then
        xdotool windowfocus "$candidate" 2>/dev/null || true
        sleep 0.2
        xdotool key Return
        sleep 0.3
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

# Without a sound device (or sound font) the music engine says so once, titled "No sound" ("No music").
dismiss_no_sound_notice() { answer_box "$GAME_PID" '^No (sound|music)$' || true; }
