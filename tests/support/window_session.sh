# Bash functions that run the program's window on a private Xvfb display
# against a private local face service, and drive it as a user would.
# Sourced by the window test and the window benchmark:
#   source tests/support/window_session.sh
#   start_session ARTEFACT_FOLDER     private HOME, data folder, display
#   start_service SERVICE_BINARY      sets SERVICE_PID and VANTOREL_SERVICE_URL
# Everything started here is stopped when the calling script exits.

SESSION_PIDS=()

stop_session() {
  local pid
  for pid in "${SESSION_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${SESSION_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$SESSION_WORK"
}

fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$SESSION_ARTEFACTS/failure.png" 2>/dev/null
  local log
  for log in "$SESSION_WORK"/*.log; do [ -s "$log" ] && { echo "--- $log" >&2; tail -n 30 "$log" >&2; }; done
  exit 1
}

# Polls `command...` every 50 ms for up to $1 seconds.
wait_until() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
}

# A throw-away home (with a Desktop folder), data folder and X display.
start_session() {
  SESSION_ARTEFACTS=$1
  mkdir -p "$SESSION_ARTEFACTS"
  SESSION_WORK=$(mktemp -d)
  trap stop_session EXIT
  export HOME=$SESSION_WORK/home XDG_DATA_HOME=$SESSION_WORK/data XDG_CONFIG_HOME=$SESSION_WORK/config
  mkdir -p "$HOME/Desktop" "$XDG_CONFIG_HOME"
  # Xvfb picks a free display itself and writes its number to the descriptor.
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$SESSION_WORK/display" >"$SESSION_WORK/xvfb.log" 2>&1 &
  SESSION_PIDS+=($!)
  wait_until 10 test -s "$SESSION_WORK/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -1 "$SESSION_WORK/display")"
}

# The service on a free loopback port with its data in $XDG_DATA_HOME/vantorel,
# where the program finds the service's CA.
start_service() {
  "$1" --listen 127.0.0.1:0 --data "$XDG_DATA_HOME/vantorel" 2>"$SESSION_WORK/service.log" &
  SERVICE_PID=$!
  SESSION_PIDS+=($SERVICE_PID)
  wait_until 20 service_announced || fail "the service did not start"
  export VANTOREL_SERVICE_URL="https://127.0.0.1:$(service_port)"
}
# The port the service announced on its first log line (the log file may not exist yet).
service_port() { sed -n 's|.*listening on https://127\.0\.0\.1:\([0-9]*\).*|\1|p' "$SESSION_WORK/service.log" 2>/dev/null; }
service_announced() { [ -n "$(service_port)" ]; }

caption_of() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^[^"]*"\(.*\)"$/\1/p'; }

# The shown window of class $1 whose caption matches the pattern $2.
find_window() {
  local id
  for id in $(xdotool search --onlyvisible --classname "^$1\$" 2>/dev/null); do
    # shellcheck disable=SC2053  # the caption is matched as a pattern
    [[ $(caption_of "$id") == $2 ]] && { echo "$id"; return 0; }
  done
  return 1
}
window_shown() { find_window "$@" >/dev/null; }
window_gone() { ! find_window "$@" >/dev/null; }

click() {  # window x y, window-relative
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# The colour of one pixel of a screenshot, as "r,g,b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# Takes a screenshot of window $1 into $2; true once the pixel ($3,$4), a
# status light, is no longer white, that is once the request has ended.
light_settled() {
  import -window "$1" "$2" && [ "$(pixel "$2" "$3" "$4")" != "255,255,255" ]
}

# Picks the file $1 of the desktop folder in the open-file dialog that was
# just opened; the dialog starts on that folder.
choose_desktop_file() {
  wait_until 10 window_shown vantorel "打开" || fail "no open-file dialog"
  local dialog
  dialog=$(find_window vantorel "打开")
  xdotool windowfocus --sync "$dialog"
  xdotool key --clearmodifiers End
  xdotool type --clearmodifiers --delay 5 "$1"
  xdotool key --clearmodifiers Return
  wait_until 10 window_gone vantorel "打开" || fail "the open-file dialog did not close"
}

# Window places of the controls the scripts use (window-relative centres).
TAB_SEARCH="28 12"
TAB_LIBRARY="95 12"
OPEN_SEARCH_PICTURE="332 170"   # 打开识别图
START_SEARCH="155 241"          # 开始人脸识别
SEARCH_LIGHT="66 242"           # 外形框3
OPEN_REGISTER_PICTURE="294 138" # 打开注册图
USER_ID_BOX="140 229"           # 编辑框2
USER_INFO_BOX="130 370"         # 编辑框4
REGISTER="360 405"              # 注册人脸
REGISTER_LIGHT="246 328"        # 外形框5

# Searches with the desktop file $2 on window $1; the screenshot $3 shows the end.
search_with() {
  # shellcheck disable=SC2086  # the places are "x y" pairs
  click "$1" $TAB_SEARCH
  # shellcheck disable=SC2086
  click "$1" $OPEN_SEARCH_PICTURE
  choose_desktop_file "$2"
  # shellcheck disable=SC2086
  click "$1" $START_SEARCH
  # shellcheck disable=SC2086
  wait_until 30 light_settled "$1" "$3" $SEARCH_LIGHT || fail "the search did not end"
}
