// SPDX-License-Identifier: MIT
// The page carries its WebAssembly compressed (DEFLATE, as gzip and zlib write it, without
// their headers) and in base64, about half the size of the module in base64 alone, and
// unpacks it here before the runtime starts, at once and in any browser that runs the
// program: by a decoder that is itself a small module (inflate.cpp), in base64 beside it.

// The bytes of a text in base64: by the browser itself where it can (Chromium 140, Firefox
// 133, Safari 18.2), several times faster than the loop below that serves the others.
function korvantaBytes(base64) {
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(base64);
  var text = atob(base64);
  var bytes = new Uint8Array(text.length);
  for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
  return bytes;
}

// The `size` bytes packed in `input`, unpacked by the module `decoder`.
function korvantaInflate(decoder, input, size) {
  var exports = new WebAssembly.Instance(new WebAssembly.Module(decoder), {}).exports;
  if (exports._initialize) exports._initialize();
  var memory = exports.memory;
  var at = memory.buffer.byteLength; // the input, then the output, past the decoder's own memory
  memory.grow(Math.ceil((input.length + size) / 65536));
  new Uint8Array(memory.buffer).set(input, at);
  if (exports.korvanta_inflate(at, input.length, at + input.length, size) !== size) {
    throw new Error('the page is damaged: its program does not unpack');
  }
  return new Uint8Array(memory.buffer, at + input.length, size).slice();
}
