#!/usr/bin/env bash
# Times one face descriptor both ways in the same run: our BM_DescriptorNet,
# and the npm package's own JavaScript on @tensorflow/tfjs with its CPU
# backend (installed into a temporary folder; nothing is kept). Prints the
# mean milliseconds of each and their ratio.
#   bench/face_descriptor_peer.sh [build dir]   (default: build)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
MODEL_DIR=$ROOT/.cache/face-api/model
ours=$("$BUILD/bench/bench_recognition" --benchmark_filter='BM_DescriptorNet' --benchmark_format=csv 2>/dev/null |
  awk -F, '/BM_DescriptorNet/ {print $3}')
echo "ours (bench_recognition BM_DescriptorNet, real time): $ours ms"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
npm pack --silent @vladmandic/face-api@1.7.15 >/dev/null
tar -xzf ./*.tgz
npm install --silent --no-audit --no-fund @tensorflow/tfjs@4.22.0 >/dev/null 2>&1
cat > time.cjs <<'JS'
// The package's Node build asks for the native binding; the plain CPU
// backend of @tensorflow/tfjs stands in for it.
const Module = require('module');
const resolve = Module._resolveFilename;
Module._resolveFilename = function (request, ...rest) {
  return resolve.call(this, request === '@tensorflow/tfjs-node' ? '@tensorflow/tfjs' : request, ...rest);
};
const tf = require('@tensorflow/tfjs');
const faceapi = require('./package/dist/face-api.node.js');
(async () => {
  await tf.setBackend('cpu');
  await tf.ready();
  await faceapi.nets.faceRecognitionNet.loadFromDisk(process.argv[2]);
  const face = tf.fill([1, 150, 150, 3], 128);
  const describe = async () => (await faceapi.nets.faceRecognitionNet.computeFaceDescriptor(face));
  for (let i = 0; i < 3; i++) await describe();
  const runs = 10;
  const start = process.hrtime.bigint();
  for (let i = 0; i < runs; i++) await describe();
  const ms = Number(process.hrtime.bigint() - start) / 1e6 / runs;
  console.log(`tfjs-cpu face descriptor: ${ms.toFixed(1)} ms`);
})();
JS
peer=$(node time.cjs "$MODEL_DIR" 2>/dev/null | sed -n 's/^tfjs-cpu face descriptor: \([0-9.]*\) ms$/\1/p')
echo "peer (face-api 1.7.15 on tfjs 4.22.0, cpu backend): $peer ms"
awk -v ours="$ours" -v peer="$peer" 'BEGIN { printf "peer / ours: %.1f\n", peer / ours }'
