#!/usr/bin/env bash
# The real window under Xvfb against the real local service:
#   window_under_xvfb.sh VANTOREL SERVICE CLOSE_WINDOW ARTEFACT_FOLDER FACE_PHOTO
# With the service running: the caption is marked as verified; a picture
# chosen through the dialog is registered, then searched, and the screenshots
# show the green lights and the match. With the service stopped: the caption
# is marked as failed and the message box appears. The picture is made here
# from FACE_PHOTO, a photo with faces in it.
# Screenshots stay in ARTEFACT_FOLDER.
set -euo pipefail
VANTOREL=$1 SERVICE=$2 CLOSE_WINDOW=$3 ARTEFACTS=$4 FACE_PHOTO=$5
# shellcheck source=../support/window_session.sh
source "$(dirname "$0")/../support/window_session.sh"

start_session "$ARTEFACTS"
rm -f "$ARTEFACTS"/*.png
[ -f "$FACE_PHOTO" ] || fail "no photo $FACE_PHOTO; scripts/fetch-face-models.sh fetches the sample photos"
convert "$FACE_PHOTO" -resize 640x480 -quality 90 "$HOME/Desktop/face.jpg"

# How many pure-red text pixels lie in a rectangle of a screenshot: x y width height.
red_pixels() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -fx 'r>0.8 && g<0.3 && b<0.3' -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Closes the main window as a user would and checks the program's exit status.
close_program() {  # window pid
  "$CLOSE_WINDOW" "$1"
  local status=0
  wait "$2" || status=$?
  [ "$status" -eq 0 ] || fail "vantorel ended with status $status"
}

start_program() {  # log name
  "$VANTOREL" >"$SESSION_WORK/$1.log" 2>&1 &
  APP_PID=$!
  SESSION_PIDS+=($APP_PID)
}

# --- with the service ---
start_service "$SERVICE"
start_program vantorel
wait_until 20 window_shown vantorel "*---服务器验证*" || fail "no marked main window"
WINDOW=$(find_window vantorel "*---服务器验证*")
CAPTION=$(caption_of "$WINDOW")
[[ $CAPTION == "Vantorel By：Quenmarsh---服务器验证成功" ]] || fail "caption after start: $CAPTION"
read -r WIDTH HEIGHT < <(xwininfo -id "$WINDOW" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
[ "$WIDTH x $HEIGHT" = "495 x 472" ] || fail "window size $WIDTH x $HEIGHT"
import -window "$WINDOW" "$ARTEFACTS/1-started.png"

# Page 2: choose the picture, type a user id and information, register.
# shellcheck disable=SC2086  # the control places are "x y" pairs
{
  click "$WINDOW" $TAB_LIBRARY
  click "$WINDOW" $OPEN_REGISTER_PICTURE
  choose_desktop_file face.jpg
  click "$WINDOW" $USER_ID_BOX
  xdotool type --clearmodifiers --delay 5 "user_1"
  click "$WINDOW" $USER_INFO_BOX
  # xdotool lends each Chinese character a spare key for a moment; the pause
  # lets the window read the key before the loan ends, also on a busy machine.
  xdotool type --clearmodifiers --delay 100 "前台 张三"
  click "$WINDOW" $REGISTER
  SHOT=$ARTEFACTS/2-registered.png
  wait_until 30 light_settled "$WINDOW" "$SHOT" $REGISTER_LIGHT || fail "the registration did not end"
  [ "$(pixel "$SHOT" $REGISTER_LIGHT)" = "0,255,0" ] || fail "registration light is $(pixel "$SHOT" $REGISTER_LIGHT), not green"
}
# The face token label (透明标签61) holds a 32-letter token instead of "-".
[ "$(red_pixels "$SHOT" 302 343 178 32)" -gt 60 ] || fail "no face token shown"

# Page 1: search all groups with the same picture.
SHOT=$ARTEFACTS/3-searched.png
search_with "$WINDOW" face.jpg "$SHOT"
# shellcheck disable=SC2086
[ "$(pixel "$SHOT" $SEARCH_LIGHT)" = "0,255,0" ] || fail "search light is not green"
# The group, user and score labels (透明标签50, 51, 47) show the match, not "-".
for label in "120 318" "120 344" "120 394"; do
  read -r x y <<<"$label"
  [ "$(red_pixels "$SHOT" "$x" "$y" 296 32)" -gt 40 ] || fail "result label at $x,$y shows no match"
done

close_program "$WINDOW" "$APP_PID"
kill "$SERVICE_PID"
wait "$SERVICE_PID" 2>/dev/null || true

# --- without the service: the same address, nobody listening ---
start_program vantorel-alone
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
