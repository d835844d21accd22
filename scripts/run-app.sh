#!/usr/bin/env bash
# Starts the local face service (unless one already answers) and the window.
#   scripts/run-app.sh BUILD_DIR
# The window needs an X display: run it from a desktop session, over ssh -X,
# or under Xvfb (`Xvfb :99 &` and DISPLAY=:99).
# The window talks to VANTOREL_SERVICE_URL when that is set, otherwise to the
# address built in at configure time (cmake -DVANTOREL_SERVICE_URL=...). The
# local service is started only for an https address on this machine.
set -euo pipefail
BUILD=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "No X display (DISPLAY is not set): start the program from a desktop session or under Xvfb." >&2
  exit 1
fi

BUILT_IN=$(sed -n 's/^VANTOREL_SERVICE_URL:[A-Z]*=//p' "$BUILD/CMakeCache.txt")
URL=${VANTOREL_SERVICE_URL:-$BUILT_IN}
if [[ $URL =~ ^https://(127\.0\.0\.1|localhost)(:([0-9]+))?/?$ ]]; then
  scripts/start-service.sh "$BUILD" --listen "${BASH_REMATCH[1]}:${BASH_REMATCH[3]:-443}"
else
  echo "vantorel: using the face service at $URL"
fi
exec "$BUILD/src/app/vantorel"
