// SPDX-License-Identifier: MIT
// The decoder that unpacks the page's WebAssembly (backends/web/inflate.js): DEFLATE, as
// gzip and zlib write it, without their headers. Built as a module of its own, 2 KB, with
// no imports and no C library: a page that has just opened runs it several times as fast
// as the same decoder in JavaScript. It follows the format's description: stored blocks,
// and blocks of fixed or dynamic Huffman codes, each code read against its canonical table;
// a code of up to 9 bits (nearly all of them) is looked up at once by the next 9 bits.
#include <cstdint>

namespace {

constexpr int kFastBits = 9;

// A canonical Huffman code: how many codes there are of each length, the symbols in the
// order of their codes, and the codes of up to kFastBits bits by every kFastBits bits that
// start with them as read (first bit lowest): the symbol times 16 plus the code's length.
struct Huffman {
    std::uint16_t counts[16];
    std::uint16_t symbols[320];
    std::uint16_t fast[1 << kFastBits];
};

// The input from `at` on, and `held` bits of it read into `buffer` but not yet used.
struct Input {
    const std::uint8_t *data;
    int size;
    int at = 0;
    std::uint32_t buffer = 0;
    int held = 0;
    bool broken = false; // read past its end, or a code that is none

    void Fill(int count) {
        while (held < count && at < size) {
            buffer |= static_cast<std::uint32_t>(data[at++]) << held;
            held += 8;
        }
    }
    int Bits(int count) {
        Fill(count);
        if (held < count) {
            broken = true;
            return 0;
        }
        const int value = static_cast<int>(buffer & ((1u << count) - 1));
        buffer >>= count;
        held -= count;
        return value;
    }
    int Decode(const Huffman &code) {
        Fill(15);
        const int found = code.fast[buffer & ((1u << kFastBits) - 1)];
        if (found != 0 && (found & 15) <= held) {
            buffer >>= found & 15;
            held -= found & 15;
            return found >> 4;
        }
        int value = 0;
        int first = 0;
        int index = 0;
        for (int length = 1; length < 16 && length <= held; ++length) {
            value |= static_cast<int>(buffer >> (length - 1)) & 1;
            const int count = code.counts[length];
            if (value - count < first) {
                buffer >>= length;
                held -= length;
                return code.symbols[index + value - first];
            }
            index += count;
            first = (first + count) << 1;
            value <<= 1;
        }
        broken = true;
        return 0;
    }
};

void Build(Huffman &code, const std::uint8_t *lengths, int symbols) {
    std::uint16_t offsets[16] = {};
    for (std::uint16_t &count : code.counts) {
        count = 0;
    }
    for (int symbol = 0; symbol < symbols; ++symbol) {
        ++code.counts[lengths[symbol]];
    }
    code.counts[0] = 0;
    for (int length = 1; length < 15; ++length) {
        offsets[length + 1] = static_cast<std::uint16_t>(offsets[length] + code.counts[length]);
    }
    for (int symbol = 0; symbol < symbols; ++symbol) {
        if (lengths[symbol] != 0) {
            code.symbols[offsets[lengths[symbol]]++] = static_cast<std::uint16_t>(symbol);
        }
    }
    for (std::uint16_t &entry : code.fast) {
        entry = 0;
    }
    for (int value = 0, index = 0, length = 1; length <= kFastBits; ++length, value <<= 1) {
        for (int n = 0; n < code.counts[length]; ++n, ++value) {
            int reversed = 0;
            for (int bit = 0; bit < length; ++bit) {
                reversed |= ((value >> bit) & 1) << (length - 1 - bit);
            }
            const auto entry = static_cast<std::uint16_t>(code.symbols[index++] * 16 + length);
            for (; reversed < (1 << kFastBits); reversed += 1 << length) {
                code.fast[reversed] = entry;
            }
        }
    }
}

constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                             33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                             1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// The code lengths of a block of dynamic codes into `lengths`; false where they are broken.
bool ReadLengths(Input &input, std::uint8_t *lengths, int all) {
    const int stated = input.Bits(4) + 4;
    std::uint8_t codeLengths[19] = {};
    for (int i = 0; i < stated; ++i) {
        codeLengths[kOrder[i]] = static_cast<std::uint8_t>(input.Bits(3));
    }
    static Huffman lengthCode;
    Build(lengthCode, codeLengths, 19);
    for (int n = 0; n < all && !input.broken;) {
        const int symbol = input.Decode(lengthCode);
        if (symbol < 16) {
            lengths[n++] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        if (symbol == 16 && n == 0) {
            return false;
        }
        const std::uint8_t repeated = symbol == 16 ? lengths[n - 1] : 0;
        int times = symbol == 16 ? 3 + input.Bits(2) : symbol == 17 ? 3 + input.Bits(3) : 11 + input.Bits(7);
        if (n + times > all) {
            return false;
        }
        while (times-- > 0) {
            lengths[n++] = repeated;
        }
    }
    return !input.broken;
}

} // namespace

// Unpacks `size` bytes at `data` into at most `room` bytes at `out`: the number of bytes
// unpacked, or -1 for data that is broken or does not fit.
extern "C" int korvanta_inflate(const std::uint8_t *data, int size, std::uint8_t *out, int room) {
    Input input{data, size};
    static Huffman literal;
    static Huffman distance;
    std::uint8_t lengths[320];
    int written = 0;
    int last = 0;
    do {
        last = input.Bits(1);
        const int type = input.Bits(2);
        if (type == 0) {
            // A stored block starts at a byte: the rest of this one goes, and whole bytes
            // read ahead are read again.
            input.at -= input.held >> 3;
            input.buffer = 0;
            input.held = 0;
            if (input.at + 4 > size) {
                return -1;
            }
            const int length = data[input.at] | (data[input.at + 1] << 8);
            input.at += 4;
            if (input.at + length > size || written + length > room) {
                return -1;
            }
            for (int i = 0; i < length; ++i) {
                out[written++] = data[input.at++];
            }
            continue;
        }
        int literals = 288;
        int distances = 30;
        if (type == 1) {
            for (int symbol = 0; symbol < 288; ++symbol) {
                lengths[symbol] = symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
            }
            for (int symbol = 288; symbol < 318; ++symbol) {
                lengths[symbol] = 5;
            }
        } else if (type == 2) {
            literals = input.Bits(5) + 257;
            distances = input.Bits(5) + 1;
            if (!ReadLengths(input, lengths, literals + distances)) {
                return -1;
            }
        } else {
            return -1;
        }
        Build(literal, lengths, literals);
        Build(distance, lengths + literals, distances);
        for (;;) {
            int symbol = input.Decode(literal);
            if (input.broken) {
                return -1;
            }
            if (symbol < 256) {
                if (written >= room) {
                    return -1;
                }
                out[written++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            if (symbol == 256) {
                break;
            }
            symbol -= 257;
            if (symbol >= 29) {
                return -1;
            }
            int count = kLengthBase[symbol] + input.Bits(kLengthExtra[symbol]);
            const int which = input.Decode(distance);
            if (which >= 30) {
                return -1;
            }
            const int back = kDistanceBase[which] + input.Bits(which < 4 ? 0 : (which >> 1) - 1);
            if (input.broken || back > written || written + count > room) {
                return -1;
            }
            for (; count > 0; --count, ++written) {
                out[written] = out[written - back];
            }
        }
    } while (last == 0 && !input.broken);
    return input.broken ? -1 : written;
}
