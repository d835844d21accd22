#!/usr/bin/env bash
# The window's start-up time and memory, over whole runs under a private Xvfb
# display against the local service on a free loopback port:
#   bench/window_bench.sh BUILD_DIR [RUNS] [FACE_PHOTO]
# (FACE_PHOTO: the photo scaled to 1920 px for the search, by default the
# first sample photo that setup fetches; without one, a generated picture.)
# 1. RUNS starts (default 21) of vantorel, each timed from the process start
#    to the caption marked "---服务器验证成功" (caption_timer waits on X
#    events); the median, and beside it the median of the curl tool fetching
#    a token from the same service (a new process and TLS handshake each).
# 2. The resident memory (VmRSS, and the peak VmHWM) of one window after it
#    searched a 1920-px wide picture, beside its VmRSS right after start-up.
# Needs the build's vantorel, vantorel-service, caption_timer and close_window.
set -euo pipefail
BUILD=$(cd "${1:?usage: $0 BUILD_DIR [RUNS] [FACE_PHOTO]}" && pwd)
RUNS=${2:-21}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
FACE_PHOTO=${3:-$ROOT/.cache/face-api/samples/sample1.jpg}
# shellcheck source=../tests/support/window_session.sh
source "$ROOT/tests/support/window_session.sh"

VANTOREL=$BUILD/src/app/vantorel
CAPTION_TIMER=$BUILD/bench/caption_timer
CLOSE_WINDOW=$BUILD/tests/app/close_window

start_session "$BUILD/bench-window"
start_service "$BUILD/service/vantorel-service"

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# The program is the timer's child, not ours: it is gone once its process
# has ended (a zombie waiting for its reaper counts as ended).
process_gone() { ! grep -qv '^[^ ]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }

close_program() {  # window pid
  "$CLOSE_WINDOW" "$1"
  wait_until 10 process_gone "$2" || fail "vantorel did not end"
}

resident_kb() { awk -v key="$2:" '$1 == key {print $2}' "/proc/$1/status"; }

# --- start-up to the marked caption ---
: >"$SESSION_WORK/startup.txt"
for _ in $(seq "$RUNS"); do
  read -r MS PID WINDOW < <("$CAPTION_TIMER" "---服务器验证成功" "$VANTOREL") || fail "no marked caption"
  echo "$MS" >>"$SESSION_WORK/startup.txt"
  close_program "$WINDOW" "$PID"
done
STARTUP=$(median <"$SESSION_WORK/startup.txt")

CA=$XDG_DATA_HOME/vantorel/ca.pem
TOKEN_URL="$VANTOREL_SERVICE_URL/oauth/2.0/token?grant_type=client_credentials"
: >"$SESSION_WORK/curl.txt"
for _ in $(seq "$RUNS"); do
  START=$(date +%s%N)
  curl -s -o /dev/null --cacert "$CA" "$TOKEN_URL"
  echo "$(( ($(date +%s%N) - START) / 100000 ))" | awk '{printf "%.1f\n", $1 / 10}' >>"$SESSION_WORK/curl.txt"
done
CURL=$(median <"$SESSION_WORK/curl.txt")

# --- memory after one search of a 1920-px picture ---
BIG=$HOME/Desktop/big.jpg
if [ -n "$FACE_PHOTO" ] && [ -f "$FACE_PHOTO" ]; then
  convert "$FACE_PHOTO" -resize 1920x -quality 90 "$BIG"
else
  convert -size 1920x1440 -seed 7 plasma:fractal -quality 90 "$BIG"
fi
read -r PICTURE_W PICTURE_H < <(identify -format '%w %h\n' "$BIG")
PICTURE_BYTES=$(stat -c %s "$BIG")
[ "$PICTURE_BYTES" -lt 2048000 ] || fail "the 1920-px picture has $PICTURE_BYTES bytes, over the program's limit"

read -r _ PID WINDOW < <("$CAPTION_TIMER" "---服务器验证成功" "$VANTOREL") || fail "no marked caption"
RSS_STARTED=$(resident_kb "$PID" VmRSS)
ANON_STARTED=$(resident_kb "$PID" RssAnon)
search_with "$WINDOW" big.jpg "$SESSION_ARTEFACTS/searched-1920.png"
RSS_SEARCHED=$(resident_kb "$PID" VmRSS)
ANON_SEARCHED=$(resident_kb "$PID" RssAnon)
FILE_SEARCHED=$(resident_kb "$PID" RssFile)
PEAK=$(resident_kb "$PID" VmHWM)
close_program "$WINDOW" "$PID"

echo "start-up to marked caption, median of $RUNS: ${STARTUP} ms (all: $(sort -n "$SESSION_WORK/startup.txt" | tr '\n' ' '))"
echo "curl token request, median of $RUNS: ${CURL} ms; ratio window / curl: $(awk -v a="$STARTUP" -v b="$CURL" 'BEGIN {printf "%.1f", a / b}')"
echo "picture ${PICTURE_W}x${PICTURE_H}, $PICTURE_BYTES bytes"
echo "VmRSS after start-up: $RSS_STARTED kB (anonymous $ANON_STARTED kB)"
echo "VmRSS after one search: $RSS_SEARCHED kB (anonymous $ANON_SEARCHED kB, files $FILE_SEARCHED kB); peak VmHWM: $PEAK kB"
echo "screenshot of the search: $SESSION_ARTEFACTS/searched-1920.png"
