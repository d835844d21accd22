#!/usr/bin/env bash
# Starts the local face service in the background unless something already
# listens on its port, says where its data lives, and waits until it answers.
#   scripts/start-service.sh BUILD_DIR [--listen HOST:PORT] [--data DIR] [--models DIR]
set -euo pipefail
BUILD=${1:?usage: $0 BUILD_DIR [--listen HOST:PORT] [--data DIR] [--models DIR]}
shift

LISTEN=127.0.0.1:8443
if [[ ${XDG_DATA_HOME:-} == /* ]]; then DATA=$XDG_DATA_HOME/vantorel; else DATA=$HOME/.local/share/vantorel; fi
MODELS=()
while [ $# -gt 0 ]; do
  case "$1" in
    --listen) LISTEN=${2:?--listen needs HOST:PORT}; shift 2 ;;
    --data) DATA=${2:?--data needs a folder}; shift 2 ;;
    --models) MODELS=(--models "${2:?--models needs a folder}"); shift 2 ;;
    *) echo "start-service: unknown option $1" >&2; exit 2 ;;
  esac
done
HOST=${LISTEN%:*}
HOST=${HOST#[}
HOST=${HOST%]}
PORT=${LISTEN##*:}
URL="https://$LISTEN"

listening() { (exec 3<>"/dev/tcp/$HOST/$PORT") 2>/dev/null; }

if listening; then
  echo "vantorel-service: $LISTEN is already in use; assuming the service runs there (its data: $DATA)"
  exit 0
fi

(umask 077 && mkdir -p "$DATA")
LOG=$DATA/service.log
nohup "$BUILD/service/vantorel-service" --listen "$LISTEN" --data "$DATA" "${MODELS[@]}" >>"$LOG" 2>&1 </dev/null &
PID=$!

# Any HTTP reply from the token endpoint, even a refusal, means it is up.
for _ in $(seq 1 300); do
  if ! kill -0 "$PID" 2>/dev/null; then
    echo "vantorel-service did not start; the end of $LOG:" >&2
    tail -n 20 "$LOG" >&2
    exit 1
  fi
  if [ -f "$DATA/ca.pem" ]; then
    status=$(curl -s -o /dev/null -w '%{http_code}' --cacert "$DATA/ca.pem" "$URL/oauth/2.0/token" || true)
    if [ "$status" != "000" ]; then
      echo "vantorel-service: running (pid $PID) on $URL; data in $DATA, log in $LOG"
      exit 0
    fi
  fi
  sleep 0.1
done
echo "vantorel-service started (pid $PID) but did not answer on $URL; see $LOG" >&2
exit 1
