// SPDX-License-Identifier: MIT
// The page carries its WebAssembly compressed (DEFLATE, as gzip and zlib write it, without
// their headers) and in base64, about half the size of the module in base64 alone, and
// unpacks it here before the runtime starts, at once and in any browser. The decoder
// follows the format's description: stored blocks, and blocks of fixed or dynamic Huffman
// codes. A code of up to 9 bits (nearly all of them) is looked up at once by the next 9
// bits; a longer one is read a bit at a time against its canonical table.
function korvantaInflate(input, size) {
  var output = new Uint8Array(size);
  var out = 0;
  var at = 0;
  var buffer = 0;
  var held = 0; // bits in `buffer`
  function bits(count) {
    while (held < count) {
      if (at >= input.length) throw new Error('broken compressed data'); // never read past the end
      buffer |= input[at++] << held;
      held += 8;
    }
    var value = buffer & ((1 << count) - 1);
    buffer >>>= count;
    held -= count;
    return value;
  }
  // A canonical Huffman code from the length of each symbol's code: how many codes there
  // are of each length, the symbols in the order of their codes, and the codes of up to 9
  // bits by every 9 bits that start with them as read (first bit lowest): the symbol
  // times 16 plus the code's length.
  function code(lengths) {
    var counts = new Uint16Array(16);
    var offsets = new Uint16Array(16);
    var symbols = new Uint16Array(lengths.length);
    lengths.forEach(function (length) { counts[length]++; });
    counts[0] = 0;
    for (var length = 1; length < 16; ++length) offsets[length] = offsets[length - 1] + counts[length - 1];
    lengths.forEach(function (length, symbol) { if (length) symbols[offsets[length]++] = symbol; });
    var fast = new Uint16Array(512);
    for (var value = 0, index = 0, length = 1; length <= 9; ++length, value <<= 1) {
      for (var n = 0; n < counts[length]; ++n, ++value) {
        var reversed = 0;
        for (var bit = 0; bit < length; ++bit) reversed |= ((value >> bit) & 1) << (length - 1 - bit);
        for (var entry = symbols[index++] * 16 + length; reversed < 512; reversed += 1 << length) fast[reversed] = entry;
      }
    }
    return [counts, symbols, fast];
  }
  function decode(huffman) {
    while (held < 9 && at < input.length) {
      buffer |= input[at++] << held;
      held += 8;
    }
    var found = huffman[2][buffer & 511];
    if (found && (found & 15) <= held) {
      buffer >>>= found & 15;
      held -= found & 15;
      return found >> 4;
    }
    var value = 0;
    var first = 0;
    var index = 0;
    for (var length = 1; length < 16; ++length) {
      value |= bits(1);
      var count = huffman[0][length];
      if (value - count < first) return huffman[1][index + value - first];
      index += count;
      first = (first + count) << 1;
      value <<= 1;
    }
    throw new Error('broken compressed data');
  }
  // The base length or distance of each symbol, and its extra bits.
  var lengthBase = [3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59, 67, 83, 99, 115, 131,
    163, 195, 227, 258];
  var lengthExtra = [0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0];
  var distanceBase = [1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769, 1025, 1537, 2049,
    3073, 4097, 6145, 8193, 12289, 16385, 24577];
  var order = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];
  var last;
  do {
    last = bits(1);
    var type = bits(2);
    if (type === 0) {
      // A stored block starts at a byte: the rest of this one goes, and whole bytes read
      // ahead are read again.
      at -= held >> 3;
      buffer = held = 0;
      var length = input[at] | (input[at + 1] << 8);
      at += 4;
      output.set(input.subarray(at, at + length), out);
      at += length;
      out += length;
      continue;
    }
    var lengths = [];
    var literals;
    if (type === 1) {
      for (var symbol = 0; symbol < 288; ++symbol) lengths.push(symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8);
      literals = 288;
      for (symbol = 0; symbol < 30; ++symbol) lengths.push(5);
    } else if (type === 2) {
      literals = bits(5) + 257;
      var distances = bits(5) + 1;
      var codeLengths = new Array(19).fill(0);
      for (var read = bits(4) + 4, i = 0; i < read; ++i) codeLengths[order[i]] = bits(3);
      var lengthCode = code(codeLengths);
      while (lengths.length < literals + distances) {
        symbol = decode(lengthCode);
        if (symbol < 16) {
          lengths.push(symbol);
        } else {
          var repeated = symbol === 16 ? lengths[lengths.length - 1] : 0;
          var times = symbol === 16 ? 3 + bits(2) : symbol === 17 ? 3 + bits(3) : 11 + bits(7);
          while (times--) lengths.push(repeated);
        }
      }
    } else {
      throw new Error('broken compressed data');
    }
    var literal = code(lengths.slice(0, literals));
    var distance = code(lengths.slice(literals));
    for (;;) {
      symbol = decode(literal);
      if (symbol < 256) {
        output[out++] = symbol;
      } else if (symbol === 256) {
        break;
      } else {
        symbol -= 257;
        var count = lengthBase[symbol] + bits(lengthExtra[symbol]);
        var which = decode(distance);
        var from = out - distanceBase[which] - bits(which < 4 ? 0 : (which >> 1) - 1);
        if (out - from >= count) {
          output.copyWithin(out, from, from + count); // at once where the copy does not overlap itself
          out += count;
        } else {
          while (count--) output[out++] = output[from++];
        }
      }
    }
  } while (!last);
  return output;
}
