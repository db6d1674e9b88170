// SPDX-License-Identifier: MIT
// The fuzzer's bytes read as a pupil's actions: one byte at a time, and texts that start
// with their length. Past the end every byte reads as 0.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvanta {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}
    bool AtEnd() const { return pos_ >= size_; }
    std::uint8_t Byte() { return AtEnd() ? 0 : data_[pos_++]; }
    // A length byte, then that many bytes (fewer where the input ends).
    std::string Text() {
        const std::size_t length = std::min<std::size_t>(Byte(), size_ - pos_);
        std::string text(reinterpret_cast<const char *>(data_ + pos_), length);
        pos_ += length;
        return text;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace korvanta
