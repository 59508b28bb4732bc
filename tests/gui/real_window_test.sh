#!/usr/bin/env bash
# VKX520Setup in a real X window, driven as a user would drive it: on a
# virtual display with a window manager, against vkx520sim on a
# pseudo-terminal. Connects through the Device menu, drags key 3 onto key 5
# with the mouse, then drags key 1 out of the window, lets the button go out
# there and comes back over key 3 without it (a release outside the view
# drops nothing; the drag ends at the next move over the view, as a drop at
# that point: on key 3), writes the
# configuration through the menu, quits (answering the close prompt), and
# checks in the simulator's saved memory that keys 3 and 5, then keys 1 and
# 3, exchanged their inputs and nothing else changed.
#
# usage: real_window_test.sh BIN_DIR
# BIN_DIR holds VKX520Setup, vkx520sim, vkx520ctl and the skin. Nothing in it
# is changed: the program runs from a copy in a temporary folder, with its
# own settings file. The folder is removed on success; on failure it is kept
# with a screenshot and the logs, and its path is printed.
set -euo pipefail

bin=$(cd "${1:?usage: real_window_test.sh BIN_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vkx-real-window.XXXXXX")
started=$(date +%s%N)

say() { printf 'real_window: %s\n' "$*"; }
fail() { printf 'real_window: FAILED: %s\n' "$*" >&2; exit 1; }

for tool in Xvfb openbox xdotool xprop import convert python3; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

# --- processes started here, stopped by their own ids ------------------------------

xvfb_pid="" wm_pid="" sim_pid="" app_pid=""
app_must_live=yes  # waits fail at once when the program ends, until it is told to quit

stop() {  # pid: TERM, then KILL if it does not end within a second
  local pid=$1
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 0
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

finish() {
  local status=$?
  if [ "$status" -ne 0 ]; then
    if [ -n "${DISPLAY:-}" ] && import -window root "$work/failure.png" 2>/dev/null; then
      say "screenshot: $work/failure.png" >&2
    fi
    for log in app/VKX520Setup.log app.out sim.err; do
      [ -s "$work/$log" ] && { say "--- $log (last lines)" >&2; tail -n 15 "$work/$log" >&2; }
    done
    say "kept $work" >&2
  fi
  stop "$app_pid"; stop "$sim_pid"; stop "$wm_pid"; stop "$xvfb_pid"
  [ "$status" -eq 0 ] && rm -rf "$work"
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM

# Polls a command every 50 ms until it succeeds; fails the test after the timeout.
wait_for() {  # seconds description command...
  local seconds=$1 what=$2
  shift 2
  local deadline=$(($(date +%s%N) + seconds * 1000000000))
  until "$@"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || fail "timed out after ${seconds}s waiting for $what"
    [ -z "$app_pid" ] || [ -z "$app_must_live" ] || kill -0 "$app_pid" 2>/dev/null ||
      fail "VKX520Setup ended while waiting for $what"
    sleep 0.05
  done
}

# --- the simulated device ------------------------------------------------------------

"$bin/vkx520sim" --write-demo "$work/demo.vkcfg"
"$bin/vkx520sim" --load "$work/demo.vkcfg" --save "$work/saved.vkcfg" --link "$work/sim.tty" \
  >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
wait_for 5 "the simulator's pseudo-terminal" test -s "$work/sim.out" -a -e "$work/sim.tty"

# --- the program, from a copy with its own settings ----------------------------------

mkdir "$work/app"
cp "$bin/VKX520Setup" "$bin/modules.xml" "$work/app/"
cp -r "$bin/pictures" "$work/app/"
cp "$bin"/*.lna "$work/app/" 2>/dev/null || true
# COM1 is the simulator; the diagnostic log tells when device operations end.
printf '[Ports]\nCOM1=%s\n[Connection]\nPort=0\n[Debug]\nLog=1\n' "$work/sim.tty" >"$work/app/VKX520Setup.ini"
log=$work/app/VKX520Setup.log

# --- display and window manager ------------------------------------------------------

# Big enough that the whole layout fits in the maximized window, unscrolled.
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
wait_for 10 "Xvfb" grep -q '^[0-9]' "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY
openbox --sm-disable >"$work/openbox.out" 2>&1 &
wm_pid=$!
wait_for 10 "openbox" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb "$work/app/VKX520Setup" >"$work/app.out" 2>&1 </dev/null &
app_pid=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^VKX520Setup$' | head -n 1) ||
  fail "the main window did not appear"
timeout 10 xdotool windowactivate --sync "$main" || fail "the main window could not be activated"
say "VKX520Setup is window $main on display $DISPLAY"

# --- windows of the program ----------------------------------------------------------

# Visible windows of the program whose window type includes TYPE (all of them
# carry the program's class; menus and message boxes also carry its caption).
windows_of_type() {  # TYPE
  local w
  for w in $(xdotool search --onlyvisible --class '^VKX520Setup$' 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_$1" && echo "$w"
  done
  return 0
}
# Message boxes have the program's caption; the operation dialog has its own.
message_box() {
  local w
  for w in $(windows_of_type DIALOG); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = VKX520Setup ] && { echo "$w"; return 0; }
  done
  return 1
}
is_visible() { xdotool search --onlyvisible --class '^VKX520Setup$' 2>/dev/null | grep -qx "$1"; }
# An open menu: a window that bypasses the window manager and is not a tooltip
# (Qt marks a menu's type only the first time it opens).
has_menu() {
  local w
  for w in $(xdotool search --onlyvisible --class '^VKX520Setup$' 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' &&
      ! xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q TOOLTIP && return 0
  done
  return 1
}
has_operation_dialog() { xdotool search --onlyvisible --name '^Operation in progress' >/dev/null 2>&1; }

box=""
find_box() { box=$(message_box); }
# Waits for a message box, answers it with a key and waits until it is gone
# (each box is a new window, so the next wait cannot see this one again).
answer_box() {  # key description
  wait_for 15 "$2" find_box
  timeout 5 xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers "$1"
  wait_for 10 "$2 to close" eval '! is_visible "$box"'
  say "answered $2 with $1"
}

# Opens a menu with its mnemonic and, once the popup is on the screen, picks
# an item with its mnemonic.
menu_command() {  # alt+letter item-letter description
  timeout 5 xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers "$1"
  wait_for 5 "the menu of $3" has_menu
  xdotool key --clearmodifiers "$2"
  say "menu: $3"
}

log_count() { grep -c -- "$1" "$log" 2>/dev/null || true; }
operations_done() { [ "$(log_count 'CDlgOper::OnDestroy(): done')" -ge "$1" ]; }
# Waits until the operation dialog has run as many operations to their end as
# asked, and fails when one of them reported anything but success.
wait_operations() {  # count description
  wait_for 30 "$2" operations_done "$1"
  if grep -E 'OnSerialNotify\(\([1-6],' "$log" >/dev/null; then fail "$2: a device operation failed"; fi
  wait_for 10 "the operation dialog to close" eval '! has_operation_dialog'
  say "$2: done"
}

# --- Connect --------------------------------------------------------------------------

menu_command alt+d c "Device > Connect..."
wait_for 30 "the configuration read" grep -qs 'CMainDoc::ReadCfg()' "$log"
wait_operations "$(log_count 'CDlgOper::StartCommand(')" "Connect"

# --- drag key 3 onto key 5 -------------------------------------------------------------

read -r win_w win_h < <(xdotool getdisplaygeometry)
keys=""
find_keys() {
  import -window root -depth 8 "rgb:$work/screen.rgb" 2>/dev/null &&
    keys=$(python3 "$here/find_keys.py" "$work/app/modules.xml" "$work/screen.rgb" "$win_w" "$win_h" 3 5 1 2>/dev/null)
}
wait_for 10 "the key panel on the screen" find_keys
read -r x3 y3 x5 y5 x1 y1 <<<"$(echo $keys)"
say "key 3 at $x3,$y3; key 5 at $x5,$y5; key 1 at $x1,$y1"
xdotool mousemove "$x3" "$y3"
xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove "$((x3 + (x5 - x3) * step / 8))" "$((y3 + (y5 - y3) * step / 8))"
  sleep 0.02
done
xdotool mouseup 1
# Off the view, where no tooltip comes up.
xdotool mousemove 0 "$((win_h - 1))"
# The first change while connected brings the once-per-run notice.
answer_box Return "the change notice"

# --- drag key 1 out of the window, let go there, come back over key 3 ---------------------

# Above the window's client area: the window manager's title bar, or the
# screen's edge when the window has none.
eval "$(xdotool getwindowgeometry --shell "$main")"
outside_y=$((Y > 2 ? Y / 2 : 0))
xdotool mousemove "$x1" "$y1"
xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove "$x1" "$((y1 + (outside_y - y1) * step / 8))"
  sleep 0.02
done
xdotool mouseup 1
sleep 0.1
xdotool mousemove "$x3" "$y3"
sleep 0.1
say "key 1 dragged out to y $outside_y, released there, brought back over key 3"
xdotool mousemove 0 "$((win_h - 1))"

# --- Write configuration ---------------------------------------------------------------

before=$(log_count 'CDlgOper::OnDestroy(): done')
menu_command alt+d w "Device > Write configuration"
answer_box y "the write confirmation"
wait_operations "$((before + 1))" "Write configuration"
answer_box Return "the write success message"

# --- quit --------------------------------------------------------------------------------

app_must_live=""
menu_command alt+f x "File > Exit"
# The configuration was changed and never saved to a file.
answer_box n "the close prompt"
wait_for 10 "VKX520Setup to end" eval '! kill -0 "$app_pid" 2>/dev/null'
wait "$app_pid" || fail "VKX520Setup ended with status $?"
app_pid=""
stop "$sim_pid"
sim_pid=""
[ -s "$work/saved.vkcfg" ] || fail "the simulator saved no memory"

# --- what the device holds --------------------------------------------------------------

"$bin/vkx520ctl" show --json "$work/demo.vkcfg" >"$work/demo.json"
"$bin/vkx520ctl" show --json "$work/saved.vkcfg" >"$work/saved.json"
python3 - "$work/demo.json" "$work/saved.json" <<'EOF' || fail "the device memory is not what the drop must give"
import json, sys
before, after = (json.load(open(path)) for path in sys.argv[1:3])
# keyMap[input] is the key + 1: key 3 and key 5 exchange their inputs, then
# keys 1 and 3.
expected = [{4: 6, 6: 4}.get(value, value) for value in before["keyMap"]]
expected = [{2: 4, 4: 2}.get(value, value) for value in expected]
ok = after["keyMap"] == expected and expected != before["keyMap"]
print("keyMap before %s\n      after  %s\n   expected  %s" % (before["keyMap"], after["keyMap"], expected))
for field in ("inputModules", "outputModules", "panelInputMap", "audio"):
    if before[field] != after[field]:
        print("%s changed: %s -> %s" % (field, before[field], after[field]))
        ok = False
sys.exit(0 if ok else 1)
EOF
elapsed=$((($(date +%s%N) - started) / 1000000))
say "passed in $((elapsed / 1000)).$(printf '%03d' $((elapsed % 1000))) s"
