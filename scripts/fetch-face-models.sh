#!/usr/bin/env bash
# Fetches the face-recognition weights and the sample photos the tests use
# from the npm package @vladmandic/face-api (MIT), checks the tarball's
# integrity and puts only the needed files into DEST:
#   DEST/model/  tiny face detector, 68-point landmarks, recognition net
#   DEST/samples/sample1.jpg .. sample6.jpg
# Does nothing when everything is already there.
#   scripts/fetch-face-models.sh [DEST]     (default: <repo>/.cache/face-api)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DEST=${1:-$ROOT/.cache/face-api}

PACKAGE=@vladmandic/face-api@1.7.15
TARBALL_SHA1=10cddf5c405f6f52f37605c9ee28c91ac6a23ead
NETS=(tiny_face_detector_model face_landmark_68_model face_recognition_model)

wanted_files() {
  local net i
  for net in "${NETS[@]}"; do
    echo "model/$net-weights_manifest.json"
    echo "model/$net.bin"
  done
  for i in 1 2 3 4 5 6; do echo "samples/sample$i.jpg"; done
}

all_present() {
  local f
  while read -r f; do [ -s "$DEST/$f" ] || return 1; done < <(wanted_files)
}

all_present && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "$PACKAGE" >/dev/null)
tarball=$(ls "$work"/*.tgz)
actual=$(sha1sum "$tarball" | cut -d' ' -f1)
if [ "$actual" != "$TARBALL_SHA1" ]; then
  echo "fetch-face-models: $PACKAGE has sha1 $actual, expected $TARBALL_SHA1" >&2
  exit 1
fi
tar -xzf "$tarball" -C "$work"
mkdir -p "$DEST/model" "$DEST/samples"
for net in "${NETS[@]}"; do
  cp "$work/package/model/$net-weights_manifest.json" "$work/package/model/$net.bin" "$DEST/model/"
done
for i in 1 2 3 4 5 6; do cp "$work/package/demo/sample$i.jpg" "$DEST/samples/"; done
all_present
