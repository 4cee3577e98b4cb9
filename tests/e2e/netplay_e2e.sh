#!/usr/bin/env bash
# Two games, each on a display of its own, play over 127.0.0.1, with a third player from
# fuselark3-net: the host types a password without Enter and a wrong one is refused while the right
# one lets the client in; Enter in the room does nothing until every seat is taken, then starts; the
# client's key moves the client's figure on both screens alike (each marks only its own figures);
# the third player's process is killed and the host names it, as lost and then as gone; Escape on the host ends the match on both with a word on the client, and each keeps a replay of
# the same match. Then the client watches, and its waiting room says so.
# SCREENSHOT_DIR, when set, receives the pictures the README shows.
set -euo pipefail
BUILD_DIR=$1
source "$(dirname "$0")/xvfb-session.sh"
export FUSELARK3_LOG_NET_LINE=1  # each game logs the line below its panels as it changes

declare -A SHOWN_ON RUN_AS LOG_OF
machine() {  # host | client: the display and game that the helpers act on
  export DISPLAY=${SHOWN_ON[$1]}
  GAME_PID=${RUN_AS[$1]}
  GAME_LOG=${LOG_OF[$1]}
}
for who in host client; do
  start_xvfb
  start_game "$who"
  SHOWN_ON[$who]=$DISPLAY RUN_AS[$who]=$GAME_PID LOG_OF[$who]=$GAME_LOG
done
# A port of its own, not the game's, which a player here may be using; one
# that another program holds is refused ("Cannot host") and another is tried.
choose_port() {
  PORT=$((20000 + RANDOM % 20000))
  printf '\r\n\r\n1\r\n0\r\n1\r\n%s\r\n' "$PORT" >"$SESSION_DIR/host/NETPLAY.OPT"
}
choose_port

shown_titles() { for w in $(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null); do printf '"%s" ' "$(xdotool getwindowname "$w")"; done; }
# Clicks the kind spinner's lower arrow n times, on the start screen at (sx, sy).
set_kind() { for _ in $(seq "$1"); do click_at $((sx + 302)) $((sy + 128)); done; }
shoot_window() {
  local size
  read -r x y < <(window_origin "$1")
  size=$(xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}')
  "$XSHOT" shot "$2" "$x" "$y" "${size%x*}" "${size#*x}"
}
field() { "$XSHOT" shot "$1" 107 0 1066 690; }  # the field and the panels, scaled, without the band below

# Clicks a controller button (0..3) n times; the clicks leave the focus on Start.
click_seat() { for _ in $(seq "$2"); do click_at $((sx + 20 + 36 * $1)) $((sy + 214)); done; }
open_host_room() {
  for _ in 1 2 3; do
    xdotool key Return
    for _ in $(seq 100); do
      HOST_ROOM=$(wait_titled "Waiting room" 1) && return 0
      busy=$(wait_titled "Cannot host" 1) && break
    done
    [[ -n "${busy:-}" ]] || break
    xdotool windowfocus "$busy" 2>/dev/null || true
    xdotool key Return
    choose_port
  done
  fail "Start did not open the host's waiting room"
}
# Players 2 and 3 on NET (from CPU, and from OFF by MAN and CPU); a password typed, not confirmed.
machine host
expect_window 312x320 "the host's start screen" && hx=$WX hy=$WY
sx=$hx sy=$hy
set_kind 5
click_seat 1 1
click_seat 2 3
open_host_room
xdotool type --delay 20 "secret"

machine client
expect_window 312x320 "the client's start screen" && cx=$WX cy=$WY
sx=$cx sy=$cy
set_kind 6
click_at $((sx + 150)) $((sy + 122))
JOIN=$(wait_titled "Join") || fail "Start did not open the join dialog"
xdotool type --delay 20 "127.0.0.1:$PORT"
xdotool key Tab
xdotool type --delay 20 "Bo"
[[ -n "${SCREENSHOT_DIR:-}" ]] && shoot_window "$JOIN" "$SCREENSHOT_DIR/join-dialog.png"
xdotool key Tab Tab Tab  # on to the password
xdotool type --delay 20 "guess"
xdotool key Return
WRONG=$(wait_titled "Wrong password") || fail "the password typed on the host was not asked for; the client shows $(shown_titles)"
xdotool windowfocus "$WRONG" 2>/dev/null || true
xdotool key Return
wait_titled "Join" >/dev/null || fail "the join dialog did not come back after a wrong password"
sleep 1.2  # after a wrong password the host checks this address's next answer only a second later
xdotool key Tab Tab Tab Tab  # the remembered address and name stay; on to the password
xdotool type --delay 20 "secret"
xdotool key Return
wait_titled "Waiting room" >/dev/null || fail "the client did not reach the waiting room with the host's password"

machine host
sleep 1  # the lobby reaches the host's room, whose password field closes
xdotool key Return  # one NET seat is still free: nothing happens
sleep 1
wait_titled "Waiting room" 5 >/dev/null || fail "Enter closed the host's room before every seat was taken"
machine client
wait_titled "Waiting room" 5 >/dev/null || fail "the client left the room when the host pressed Enter; it shows $(shown_titles)"
printf '1 -\n' >"$SESSION_DIR/idle.script"
"$BUILD_DIR/tools/net/fuselark3-net" join --host "127.0.0.1:$PORT" --name Cy --password secret \
  --play "script:$SESSION_DIR/idle.script" --folder "$SESSION_DIR/cy" --wait 60 >"$SESSION_DIR/cy.json" 2>&1 &
CY_PID=$!
STARTED_PIDS+=("$CY_PID")
machine host
sleep 2  # the third player reaches the host's room
[[ -n "${SCREENSHOT_DIR:-}" ]] && shoot_window "$HOST_ROOM" "$SCREENSHOT_DIR/host-waiting-room.png"
xdotool key Return  # Start, now that every NET seat is taken
for who in host client; do machine "$who"; expect_window 1280x800 "the $who's match window"; done
for who in host client; do machine "$who"; dismiss_no_sound_notice; done
sleep 1
for who in host client; do machine "$who"; field "$SESSION_DIR/$who-before.png"; done

machine client
for key in Left Down Right Up; do hold_key "$key" 0.6; done  # at least one way is open
sleep 1.5
for who in host client; do machine "$who"; field "$SESSION_DIR/$who-after.png"; done
read -r changed _ _ width height < <("$XSHOT" diff "$SESSION_DIR/host-before.png" "$SESSION_DIR/host-after.png")
(( changed > 100 && width < 400 && height < 400 )) || fail "the client's key did not move one figure on the host ($changed pixels)"
# Alike but for the marks over each machine's own figure and its portrait: player 1's on the host,
# player 2's on the client.
read -r parts widest highest < <("$XSHOT" parts "$SESSION_DIR/host-after.png" "$SESSION_DIR/client-after.png")
(( parts == 4 && widest <= 20 && highest <= 14 )) \
  || fail "the two screens differ other than by each one's mark ($parts places, up to ${widest}x$highest pixels)"
[[ -n "${SCREENSHOT_DIR:-}" ]] && "$XSHOT" shot "$SCREENSHOT_DIR/network-match.png"

# The third player's machine dies: the host says whom it waits for, then that Cy is gone.
machine host
kill -KILL "$CY_PID"
wait "$CY_PID" 2>/dev/null || true
said() { grep -q "network line: $1" "${LOG_OF[host]}"; }
for _ in $(seq 100); do said "Cy has left; Cy's figure stands" && break; sleep 0.1; done
said "Cy's connection is lost: waiting [12] s" || fail "the host did not say that Cy's connection is lost"
said "Cy has left; Cy's figure stands" || fail "the host did not say that Cy has left"
[[ -n "${SCREENSHOT_DIR:-}" ]] && "$XSHOT" shot "$SCREENSHOT_DIR/network-drop.png"

machine host
hold_key Escape 0.3
for who in host client; do
  machine "$who"
  for _ in $(seq 50); do window_shown 1280x800 || break; sleep 0.1; done
  window_shown 1280x800 && fail "Escape on the host did not end the $who's match"
done
machine client
ENDED=$(wait_titled "Match ended") || fail "the client was not told that the host ended the match; it shows $(shown_titles)"
xdotool windowfocus "$ENDED" 2>/dev/null || true
xdotool key Return
for who in host client; do
  # The host keeps its replay once its last word has reached the others (a few seconds at most).
  for _ in $(seq 60); do [[ -n "$(find "$SESSION_DIR/$who/replays" -type f 2>/dev/null)" ]] && break; sleep 0.1; done
  replay=$(find "$SESSION_DIR/$who/replays" -type f 2>/dev/null | head -n1)
  [[ -n "$replay" ]] || fail "the $who kept no replay of the match"
  "$BUILD_DIR/tools/sim/fuselark3-sim" --replay "$replay" --trace | tail -n1 >"$SESSION_DIR/$who-last.json" \
    || fail "the $who's replay does not play back"
done
cmp -s "$SESSION_DIR/host-last.json" "$SESSION_DIR/client-last.json" || fail "the two replays end differently"

# The client watches: its room says so; the host's Cancel closes it with a word.
machine host
sx=$hx sy=$hy
sleep 0.5
click_seat 1 1  # after a match player 2 is on CPU again
open_host_room
machine client
sx=$cx sy=$cy
click_at $((sx + 150)) $((sy + 122))
wait_titled "Join" >/dev/null || fail "the join dialog did not open again"
xdotool key alt+w
wait_titled "Waiting room (watching)" >/dev/null || fail "the spectator's room does not say it watches; it shows $(shown_titles)"
machine host
sleep 1
xdotool key Escape
machine client
wait_titled "Host gone" >/dev/null || fail "the spectator was not told that the host closed the room; it shows $(shown_titles)"
echo "PASS"
