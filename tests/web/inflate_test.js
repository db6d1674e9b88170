// SPDX-License-Identifier: MIT
// The page's decoder (backends/web/inflate.js and its module) against zlib's compression, run by
// Node.js: stored, fixed and dynamic Huffman blocks, long matches and many blocks; and
// data cut short, which stops it instead of running on.
// Usage: node inflate_test.js INFLATE.js DECODER.wasm
'use strict';
const fs = require('fs');
const vm = require('vm');
const zlib = require('zlib');

vm.runInThisContext(fs.readFileSync(process.argv[2], 'utf8'));
const decoder = fs.readFileSync(process.argv[3]);

// Bytes that compress the way a module does: runs, repeats far apart, and noise.
function sample(size, seed) {
  const bytes = new Uint8Array(size);
  let state = seed;
  for (let i = 0; i < size; ++i) {
    state = (state * 1103515245 + 12345) >>> 0;
    const kind = (state >>> 24) % 4;
    bytes[i] = kind === 0 ? state & 0xff : kind === 1 && i >= 300 ? bytes[i - 300] : kind === 2 ? 0 : i & 0x7f;
  }
  return bytes;
}

// Compressed blocks, then stored ones: zlib stores what would only grow.
function textThenNoise() {
  const bytes = new Uint8Array(90000);
  let state = 2463534242;
  for (let i = 0; i < bytes.length; ++i) {
    state ^= state << 13;
    state ^= state >>> 17;
    state ^= state << 5;
    bytes[i] = i < 20000 ? 'halving and doubling '.charCodeAt(i % 21) : state & 0xff;
  }
  return bytes;
}

let failed = 0;
const inputs = [['empty', new Uint8Array(0)], ['one byte', Uint8Array.of(42)], ['a long run', new Uint8Array(70000).fill(7)],
  ['mixed', sample(150000, 1)], ['text, then bytes that do not compress', textThenNoise()], ['noise', Uint8Array.from(sample(40000, 7), (b, i) => (b * 31 + i * 7) & 0xff)]];
const ways = [['stored', { level: 0 }], ['fixed codes', { level: 9, strategy: zlib.constants.Z_FIXED }],
  ['dynamic codes', { level: 9 }], ['Huffman only', { level: 6, strategy: zlib.constants.Z_HUFFMAN_ONLY }]];
for (const [name, data] of inputs) {
  for (const [way, options] of ways) {
    const packed = zlib.deflateRawSync(data, options);
    let result;
    try {
      result = korvantaInflate(decoder, packed, data.length);
    } catch (error) {
      result = error;
    }
    if (!(result instanceof Uint8Array) || Buffer.compare(Buffer.from(result), Buffer.from(data)) !== 0) {
      console.log(`FAIL: ${name}, ${way}: ${result instanceof Uint8Array ? 'other bytes' : result}`);
      ++failed;
    }
  }
}
// The page's base64, read by the loop that serves browsers without Uint8Array.fromBase64
// (Node.js 20 has none); Chromium's own decoder is used by the page in the web tests.
for (const [name, data] of inputs) {
  if (Buffer.compare(Buffer.from(korvantaBytes(Buffer.from(data).toString('base64'))), Buffer.from(data)) !== 0) {
    console.log(`FAIL: ${name}: base64 read back as other bytes`);
    ++failed;
  }
}
const whole = zlib.deflateRawSync(sample(5000, 3));
try {
  korvantaInflate(decoder, whole.subarray(0, whole.length >> 1), 5000);
  console.log('FAIL: data cut in half was unpacked without a word');
  ++failed;
} catch (error) {
  // as it should
}
console.log(`inflate: ${inputs.length * ways.length - failed} of ${inputs.length * ways.length} passed`);
process.exit(failed ? 1 : 0);
