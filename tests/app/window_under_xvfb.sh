#!/usr/bin/env bash
# The real window under Xvfb against the real local service:
#   window_under_xvfb.sh VANTOREL SERVICE FACE_PICTURE ARTEFACT_FOLDER
# With the service running: the caption is marked as verified; a picture
# chosen through the dialog is registered, then searched, and the result
# labels and the green status light show in the screenshot. With the service
# stopped: the caption is marked as failed and the message box appears.
# Screenshots stay in ARTEFACT_FOLDER.
set -euo pipefail
VANTOREL=$1 SERVICE=$2 FACE=$3 ARTEFACTS=$4
mkdir -p "$ARTEFACTS"
WORK=$(mktemp -d)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

export XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config HOME=$WORK/home
mkdir -p "$HOME/Desktop"
cp "$FACE" "$HOME/Desktop/face.jpg"

DISPLAY_NUMBER=$((90 + RANDOM % 400))
Xvfb ":$DISPLAY_NUMBER" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
export DISPLAY=":$DISPLAY_NUMBER"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "FAIL: $*" >&2; exit 1; }

# The first window of class $1 whose name matches $2, waiting up to 15 s.
wait_window() {
  for _ in $(seq 150); do
    local id
    id=$(xdotool search --classname "^$1\$" --name "$2" 2>/dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

caption_of() { xprop -id "$1" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//'; }

# The colour of one pixel of a screenshot, as "r,g,b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

click() {  # window x y (window-relative)
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}

choose_file() {  # the open-file dialog: type the path, confirm
  local dialog
  dialog=$(wait_window FLTK "打开") || dialog=$(xdotool search --name "^打开$" | head -1)
  [ -n "$dialog" ] || fail "no file dialog"
  xdotool windowfocus --sync "$dialog" type --delay 20 "$1"
  xdotool key Return
  sleep 0.5
}

# --- with the service ---
"$SERVICE" >"$WORK/service.log" 2>&1 &
SERVICE_PID=$!
PIDS+=($SERVICE_PID)
for _ in $(seq 100); do [ -f "$XDG_DATA_HOME/vantorel/ca.pem" ] && break; sleep 0.1; done
sleep 0.5

"$VANTOREL" &
PIDS+=($!)
WINDOW=$(wait_window vantorel "服务器验证") || fail "no marked main window"
CAPTION=$(caption_of "$WINDOW")
[[ $CAPTION == *"---服务器验证成功" ]] || fail "caption after start: $CAPTION"
import -window "$WINDOW" "$ARTEFACTS/1-started.png"

# Page 2: choose the picture, type a user id, register. The tab, button and
# box places are window coordinates of the window definition's controls.
click "$WINDOW" 100 12
click "$WINDOW" 294 138          # 打开注册图
choose_file "$HOME/Desktop/face.jpg"
click "$WINDOW" 140 229           # 编辑框2
xdotool type --window "$WINDOW" --delay 20 "user_1"
click "$WINDOW" 360 405           # 注册人脸
sleep 2
import -window "$WINDOW" "$ARTEFACTS/2-registered.png"
[ "$(pixel "$ARTEFACTS/2-registered.png" 245 328)" = "0,255,0" ] || fail "registration light is not green"

# Page 1: choose the same picture and search.
click "$WINDOW" 28 12
click "$WINDOW" 332 170           # 打开识别图
choose_file "$HOME/Desktop/face.jpg"
click "$WINDOW" 155 241           # 开始人脸识别
sleep 2
import -window "$WINDOW" "$ARTEFACTS/3-searched.png"
[ "$(pixel "$ARTEFACTS/3-searched.png" 66 242)" = "0,255,0" ] || fail "search light is not green"

kill "$SERVICE_PID"
wait "$SERVICE_PID" 2>/dev/null || true
xdotool windowclose "$WINDOW" 2>/dev/null || xdotool windowkill "$WINDOW"

# --- without the service ---
"$VANTOREL" &
PIDS+=($!)
MESSAGE=$(wait_window vantorel-message "信息：") || fail "no message box without the service"
import -window "$MESSAGE" "$ARTEFACTS/4-refused-message.png"
WINDOW=$(wait_window vantorel "服务器验证") || fail "no marked main window without the service"
CAPTION=$(caption_of "$WINDOW")
[[ $CAPTION == *"---服务器验证失败" ]] || fail "caption without service: $CAPTION"
xdotool key --window "$MESSAGE" Return
import -window "$WINDOW" "$ARTEFACTS/5-refused.png"
echo "PASS: screenshots in $ARTEFACTS"
