// Writes the reference outputs the net tests compare against, by running the
// weights through the npm package's own JavaScript on @tensorflow/tfjs (CPU).
// Run by hand when the nets or their inputs change; the outputs are committed.
//   mkdir /tmp/ref && cd /tmp/ref && npm pack @vladmandic/face-api@1.7.15 && tar xzf *.tgz \
//     && npm install @tensorflow/tfjs@4.22.0
//   node make_reference.mjs /tmp/ref <model dir> <output dir>
import { createRequire } from 'node:module';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [packageRoot, modelDir, outDir] = process.argv.slice(2);
const require = createRequire(join(packageRoot, 'index.js'));
// The package's Node build asks for the native tfjs binding; the plain
// JavaScript CPU backend gives the same arithmetic without it.
const Module = require('module');
const resolve = Module._resolveFilename;
Module._resolveFilename = function (request, ...rest) {
  return resolve.call(this, request === '@tensorflow/tfjs-node' ? '@tensorflow/tfjs' : request, ...rest);
};
const tf = require('@tensorflow/tfjs');
const faceapi = require(join(packageRoot, 'package/dist/face-api.node.js'));

// Test pictures from integer formulas, so the C++ tests can make the same
// pixels without storing them (see NetReference.h).
const patterns = {
  stripes: (x, y, c) => ((x * (c + 2) + y * (3 - c)) * 5 + ((x * y) >> 4)) % 256,
  blobs: (x, y, c) => (((x - 40) * (x - 40) + (y - 60) * (y - 60) * (c + 1)) >> 3) % 256,
};

function picture(size, formula) {
  const values = new Float32Array(size * size * 3);
  for (let y = 0; y < size; y++)
    for (let x = 0; x < size; x++)
      for (let c = 0; c < 3; c++) values[(y * size + x) * 3 + c] = formula(x, y, c);
  return tf.tensor4d(values, [1, size, size, 3]);
}

function save(name, values) {
  const text = Array.from(values, (v) => v.toPrecision(9)).join('\n') + '\n';
  writeFileSync(join(outDir, name), text);
}

await tf.setBackend('cpu');
await tf.ready();
await faceapi.nets.tinyFaceDetector.loadFromDisk(modelDir);
await faceapi.nets.faceLandmark68Net.loadFromDisk(modelDir);
await faceapi.nets.faceRecognitionNet.loadFromDisk(modelDir);

for (const [patternName, formula] of Object.entries(patterns)) {
  const detectorOut = await faceapi.nets.tinyFaceDetector.forward(picture(160, formula), 160);
  save(`detector_${patternName}_160.txt`, await detectorOut.data());
  const landmarks = await faceapi.nets.faceLandmark68Net.forward(picture(112, formula));
  save(`landmarks_${patternName}_112.txt`, await landmarks.data());
  const descriptor = await faceapi.nets.faceRecognitionNet.forward(picture(150, formula));
  save(`descriptor_${patternName}_150.txt`, await descriptor.data());
}
