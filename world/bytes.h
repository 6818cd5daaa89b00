#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tobu {

// Reads little-endian fields from a byte buffer and refuses to run past its end.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Position() const { return position_; }
  size_t Remaining() const { return bytes_.size() - position_; }
  bool Has(size_t count) const { return count <= Remaining(); }

  // Each read requires Has(n); callers check sizes before reading.
  uint8_t U8() { return bytes_[position_++]; }
  int32_t I32() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes_[position_++]) << (8 * i);
    return static_cast<int32_t>(value);
  }
  std::span<const uint8_t> Block(size_t length) {
    const std::span<const uint8_t> block = bytes_.subspan(position_, length);
    position_ += length;
    return block;
  }
  std::string Text(size_t length) {
    std::string text(reinterpret_cast<const char*>(bytes_.data() + position_), length);
    position_ += length;
    return text;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

// Builds a file's bytes field by field, little-endian.
class ByteWriter {
 public:
  void U8(uint8_t value) { bytes_.push_back(value); }
  void I32(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  }
  void Text(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
  void Block(std::span<const uint8_t> block) { bytes_.insert(bytes_.end(), block.begin(), block.end()); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace tobu
