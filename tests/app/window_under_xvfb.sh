#!/usr/bin/env bash
# The real window under Xvfb against the real local service:
#   window_under_xvfb.sh VANTOREL SERVICE CLOSE_WINDOW ARTEFACT_FOLDER [FACE_PHOTO]
# With the service running: the caption is marked as verified; a picture
# chosen through the dialog is registered, then searched, and the screenshots
# show the green lights and the match. With the service stopped: the caption
# is marked as failed and the message box appears. The picture is made here
# with ImageMagick: from FACE_PHOTO when that file exists (a recognizer that
# looks for real faces finds one there), otherwise grey noise.
# Screenshots stay in ARTEFACT_FOLDER.
set -euo pipefail
VANTOREL=$1 SERVICE=$2 CLOSE_WINDOW=$3 ARTEFACTS=$4 FACE_PHOTO=${5:-}
mkdir -p "$ARTEFACTS"
rm -f "$ARTEFACTS"/*.png
WORK=$(mktemp -d)
PIDS=()
cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$ARTEFACTS/failure.png" 2>/dev/null
  for log in "$WORK"/*.log; do [ -s "$log" ] && { echo "--- $log" >&2; tail -n 30 "$log" >&2; }; done
  exit 1
}

# Polls `condition...` every 50 ms for up to $1 seconds.
wait_until() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
}

# --- a private home, data folder and display ---
export HOME=$WORK/home XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config
mkdir -p "$HOME/Desktop" "$XDG_CONFIG_HOME"
if [ -n "$FACE_PHOTO" ] && [ -f "$FACE_PHOTO" ]; then
  convert "$FACE_PHOTO" -resize '640x640>' -quality 90 "$HOME/Desktop/face.jpg"
else
  convert -size 320x240 xc: +noise Random -colorspace Gray -quality 90 "$HOME/Desktop/face.jpg"
fi

# Xvfb picks a free display itself and writes its number to the descriptor.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
wait_until 10 test -s "$WORK/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$WORK/display")"

# --- helpers on windows and screenshots ---
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

# How many pure-red text pixels lie in a rectangle: x y width height.
red_pixels() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -fx 'r>0.8 && g<0.3 && b<0.3' -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Takes screenshots of the window into $2 until the pixel ($3,$4) is no
# longer white (the status light after a request), for up to 20 s.
light_settled() {
  import -window "$1" "$2" && [ "$(pixel "$2" "$3" "$4")" != "255,255,255" ]
}

# Chooses ~/Desktop/face.jpg in the open-file dialog that the click opened;
# the dialog starts on the desktop folder.
choose_face_picture() {
  wait_until 10 window_shown vantorel "打开" || fail "no open-file dialog"
  local dialog
  dialog=$(find_window vantorel "打开")
  xdotool windowfocus --sync "$dialog"
  xdotool key --clearmodifiers End
  xdotool type --clearmodifiers --delay 5 "face.jpg"
  xdotool key --clearmodifiers Return
  wait_until 10 window_gone vantorel "打开" || fail "the open-file dialog did not close"
}

# Closes the main window like a user would and checks the program's exit status.
close_program() {  # window pid
  "$CLOSE_WINDOW" "$1"
  local status=0
  wait "$2" || status=$?
  [ "$status" -eq 0 ] || fail "vantorel ended with status $status"
}

# --- with the service ---
"$SERVICE" --listen 127.0.0.1:0 --data "$XDG_DATA_HOME/vantorel" 2>"$WORK/service.log" &
SERVICE_PID=$!
PIDS+=($SERVICE_PID)
service_port() { sed -n 's|.*listening on https://127\.0\.0\.1:\([0-9]*\).*|\1|p' "$WORK/service.log"; }
service_announced() { [ -n "$(service_port)" ]; }
wait_until 20 service_announced || fail "the service did not start"
export VANTOREL_SERVICE_URL="https://127.0.0.1:$(service_port)"

"$VANTOREL" >"$WORK/vantorel.log" 2>&1 &
APP_PID=$!
PIDS+=($APP_PID)
wait_until 20 window_shown vantorel "*---服务器验证*" || fail "no marked main window"
WINDOW=$(find_window vantorel "*---服务器验证*")
CAPTION=$(caption_of "$WINDOW")
[[ $CAPTION == "Vantorel By：Quenmarsh---服务器验证成功" ]] || fail "caption after start: $CAPTION"
read -r WIDTH HEIGHT < <(xwininfo -id "$WINDOW" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
[ "$WIDTH x $HEIGHT" = "495 x 472" ] || fail "window size $WIDTH x $HEIGHT"
import -window "$WINDOW" "$ARTEFACTS/1-started.png"

# Page 2: choose the picture, type a user id and information, register.
# Coordinates are window-relative places of the controls.
click "$WINDOW" 95 12             # tab "人脸库管理"
click "$WINDOW" 294 138           # 打开注册图
choose_face_picture
click "$WINDOW" 140 229           # 编辑框2
xdotool type --clearmodifiers --delay 5 "user_1"
click "$WINDOW" 130 370           # 编辑框4
xdotool type --clearmodifiers --delay 5 "前台 张三"
click "$WINDOW" 360 405           # 注册人脸
SHOT=$ARTEFACTS/2-registered.png
wait_until 20 light_settled "$WINDOW" "$SHOT" 246 328 || fail "the registration did not end"
[ "$(pixel "$SHOT" 246 328)" = "0,255,0" ] || fail "registration light is $(pixel "$SHOT" 246 328), not green"
# The face token label (透明标签61) now holds a 32-letter token instead of "-".
[ "$(red_pixels "$SHOT" 302 343 178 32)" -gt 60 ] || fail "no face token shown"

# Page 1: choose the same picture and search all groups.
click "$WINDOW" 28 12             # tab "人脸搜索"
click "$WINDOW" 332 170           # 打开识别图
choose_face_picture
click "$WINDOW" 155 241           # 开始人脸识别
SHOT=$ARTEFACTS/3-searched.png
wait_until 20 light_settled "$WINDOW" "$SHOT" 66 242 || fail "the search did not end"
[ "$(pixel "$SHOT" 66 242)" = "0,255,0" ] || fail "search light is $(pixel "$SHOT" 66 242), not green"
# The group, user and score labels (透明标签50, 51, 47) show the match, not "-".
for label in "120 318" "120 344" "120 394"; do
  read -r x y <<<"$label"
  [ "$(red_pixels "$SHOT" "$x" "$y" 296 32)" -gt 40 ] || fail "result label at $x,$y shows no match"
done

close_program "$WINDOW" "$APP_PID"
kill "$SERVICE_PID"
wait "$SERVICE_PID" 2>/dev/null || true

# --- without the service: the same address, nobody listening ---
"$VANTOREL" >"$WORK/vantorel-alone.log" 2>&1 &
APP_PID=$!
PIDS+=($APP_PID)
wait_until 20 window_shown vantorel-message "信息：" || fail "no message box without the service"
MESSAGE=$(find_window vantorel-message "信息：")
import -window "$MESSAGE" "$ARTEFACTS/4-refused-message.png"
WINDOW=$(find_window vantorel "*---服务器验证*") || fail "no marked main window without the service"
CAPTION=$(caption_of "$WINDOW")
[[ $CAPTION == "Vantorel By：Quenmarsh---服务器验证失败" ]] || fail "caption without the service: $CAPTION"
import -window root "$ARTEFACTS/5-refused-screen.png"
xdotool windowfocus --sync "$MESSAGE" key --clearmodifiers Return
wait_until 10 window_gone vantorel-message "信息：" || fail "the message box did not close"
close_program "$WINDOW" "$APP_PID"
echo "PASS: screenshots in $ARTEFACTS"
