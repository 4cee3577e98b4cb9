#!/usr/bin/env bash
# Installs into a scratch prefix, checks the menu files, the shipped campaign and its levels, and
# each program's --help and --version with and without a display, then plays the installed game as
# a player with a fresh home: the first start makes their folder with the default keys, the window
# carries the menu entry's class and the icon, a key change and an edited level are saved there, and
# nothing under the prefix changes.
set -euo pipefail
BUILD_DIR=$1
SOURCE_DIR=$2
source "$SOURCE_DIR/tests/e2e/xvfb-session.sh"

PREFIX="$SESSION_DIR/prefix"
cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$SESSION_DIR/install.log" || fail "cmake --install failed"

desktop_file=$(echo "$PREFIX"/share/applications/*.desktop)
metainfo=$(echo "$PREFIX"/share/metainfo/*.metainfo.xml)
desktop-file-validate "$desktop_file" || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" >"$SESSION_DIR/appstream.log" \
  || { cat "$SESSION_DIR/appstream.log"; fail "the AppStream file does not validate"; }
grep -q '^Categories=.*Game;' "$desktop_file" || fail "the desktop entry is not in the Game category"
for size in 48 64 128 256; do
  icon="$PREFIX/share/icons/hicolor/${size}x${size}/apps/fuselark3.png"
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "no ${size}x${size} PNG icon"
done
for page in man6/fuselark3.6.gz man1/fuselark3-level.1.gz man1/fuselark3-sim.1.gz man1/fuselark3-net.1.gz; do
  [[ -s "$PREFIX/share/man/$page" ]] || fail "manual page $page is missing"
done
for program in fuselark3 fuselark3-level fuselark3-sim fuselark3-arena fuselark3-net; do
  [[ -x "$PREFIX/games/$program" ]] || fail "$program is not installed in games"
done
# The campaign is shipped with every level it names, and reads as the game reads it.
campaign="$PREFIX/share/fuselark3/CAMPAIGN.FLQ"
for level in $(grep -o '"level": "[^"]*"' "$campaign" | cut -d'"' -f4 | sort -u); do
  [[ -f "$PREFIX/share/fuselark3/$level" ]] || fail "the campaign's level $level is not shipped"
done
"$PREFIX/games/fuselark3-arena" --quest "$campaign" --stand-in cpu:2 --matches 1 >/dev/null \
  || fail "the shipped campaign cannot be played"

# Everything under the prefix, to compare once the player is done.
snapshot() { find "$PREFIX" -printf '%P %s %T@ %m\n' | sort; }
snapshot >"$SESSION_DIR/prefix-before"

export HOME="$SESSION_DIR/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
PLAYERS="$HOME/.local/share/fuselark3"

start_xvfb
# A program that ignored --help would open its window on the display and never end.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
for program in fuselark3 fuselark3-level fuselark3-sim fuselark3-arena fuselark3-net; do
  for display in "$DISPLAY" ""; do
    run() { env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY="$display" timeout 20 "$PREFIX/games/$program" "$@"; }
    [[ $(run --help) == "usage: $program "*$'\n'* ]] || fail "$program --help (display \"$display\")"
    [[ $(run --version 2>&1) == "$program $version" ]] || fail "$program --version (display \"$display\")"
  done
done
for display in "" ":9876"; do  # no usable display: one line of its own, where Qt alone would abort
  status=0 && said=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$PREFIX/games/fuselark3" 2>&1) || status=$?
  [[ $status == 1 && $said == "fuselark3: FUSELARK3 needs a graphical desktop, and "* && $said != *$'\n'* ]] \
    || fail "without a display (\"$display\") the game ended with $status saying: $said"
done
GAME_LOG="$SESSION_DIR/game.log"
(cd "$HOME" && QT_QPA_PLATFORM=xcb exec "$PREFIX/games/fuselark3" >"$GAME_LOG" 2>&1) &
GAME_PID=$!
STARTED_PIDS+=("$GAME_PID")
expect_window 312x320 "the installed game's start screen" && sx=$WX sy=$WY
# A task bar matches the window to the menu entry by its class and shows its icon; window managers
# fill the start screen's empty title with the class's instance name.
xprop -id "$(wait_window 312x320)" WM_CLASS _NET_WM_ICON >"$SESSION_DIR/window.txt"
grep -q "= \"FUSELARK3\", \"$(sed -n 's/^StartupWMClass=//p' "$desktop_file")\"\$" "$SESSION_DIR/window.txt" \
  || fail "the window's class is not FUSELARK3 and the menu entry's StartupWMClass"
grep -q "Icon (48 x 48)" "$SESSION_DIR/window.txt" || fail "the window shows no icon"
for player in 0 1 2 3; do
  cmp -s "$PLAYERS/$player.FLK3" "$SOURCE_DIR/data/default-keys/$player.FLK3" \
    || fail "the first start did not give the player's folder the default $player.FLK3"
done

click_at $((sx + 156)) $((sy + 258))  # Options
dismiss_no_sound_notice
expect_window 681x394 "the options window" && ox=$WX oy=$WY
xdotool mousemove $((ox + 130)) $((oy + 30))  # player 1's Left key
xdotool click 5
sleep 0.3
click_at $((ox + 302)) $((oy + 378))  # Save and Close
sleep 0.5
window_shown 681x394 && fail "Save and Close did not close the options window"
cmp -s "$PLAYERS/0.FLK3" "$SOURCE_DIR/data/default-keys/0.FLK3" \
  && fail "the changed key did not reach 0.FLK3 in the player's folder"

click_at $((sx + 150)) $((sy + 234))  # Edit Level
expect_window 579x303 "the editor" && ex=$WX ey=$WY
click_at $((ex + 60)) $((ey + 28))  # the name field
xdotool type --delay 20 "MINE"
click_at $((ex + 126)) $((ey + 108))  # Save As
for _ in $(seq 50); do [[ -f "$PLAYERS/MINE.FL3" ]] && break; sleep 0.1; done
[[ $(stat -c %s "$PLAYERS/MINE.FL3" 2>/dev/null) == 3328 ]] || fail "the saved level is not in the player's folder"
click_at $((ex + 544)) $((ey + 290))  # Exit
sleep 0.5

click_at $((sx + 156)) $((sy + 282))  # Quit
for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$GAME_PID" 2>/dev/null && fail "Quit did not end the program"
GAME_PID=""

snapshot >"$SESSION_DIR/prefix-after"
diff "$SESSION_DIR/prefix-before" "$SESSION_DIR/prefix-after" >&2 || fail "the game changed files under the prefix"
echo "PASS"
