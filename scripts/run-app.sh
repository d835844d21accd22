#!/usr/bin/env bash
# Starts the local face service (unless one already answers) and the window.
# The window needs an X display: run it from a desktop session, over ssh -X,
# or under Xvfb (DISPLAY=:99 after `Xvfb :99 &`).
# The client talks to the service address built in at configure time
# (cmake -DVANTOREL_SERVICE_URL=https://host:port to point it elsewhere).
set -euo pipefail
BUILD=${1:?build folder}
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "No X display (DISPLAY is not set): start the program from a desktop session or under Xvfb." >&2
  exit 1
fi

if [ -x scripts/start-service.sh ]; then
  scripts/start-service.sh "$BUILD"
fi
exec "$BUILD/src/app/vantorel"
