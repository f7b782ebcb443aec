#include <cstdint>
#include <cstdlib>

#include "korvid/internal/image_complete.h"

namespace korvid::detail {
namespace {

// A little-endian reader that turns every read past the end into a failure.
class Bytes {
 public:
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}

  bool has(std::uint64_t position, std::uint64_t count) const {
    return position <= bytes_.size() && count <= bytes_.size() - position;
  }
  std::uint32_t byte(std::uint64_t position) const {
    return static_cast<unsigned char>(bytes_[static_cast<std::size_t>(position)]);
  }
  std::uint32_t u16(std::uint64_t position) const {
    return byte(position) | byte(position + 1) << 8;
  }
  std::uint32_t u32(std::uint64_t position) const {
    return u16(position) | u16(position + 2) << 16;
  }
  std::uint32_t big_u16(std::uint64_t position) const {
    return byte(position) << 8 | byte(position + 1);
  }
  std::uint64_t size() const { return bytes_.size(); }

 private:
  std::string_view bytes_;
};

constexpr std::uint32_t bmp_rgb = 0, bmp_rle8 = 1, bmp_rle4 = 2, bmp_bitfields = 3,
                        bmp_alpha_bitfields = 6;

// Run-length pixels end with the end-of-bitmap code; a file cut before it is incomplete.
bool rle_complete(const Bytes& in, std::uint64_t at, bool four_bit) {
  while (in.has(at, 2)) {
    const std::uint32_t count = in.byte(at);
    const std::uint32_t code = in.byte(at + 1);
    at += 2;
    if (count > 0 || code == 0) continue;  // a run, or the end of a line
    if (code == 1) return true;            // the end of the bitmap
    if (code == 2) {                       // a jump: two more bytes
      at += 2;
      continue;
    }
    const std::uint64_t literal = four_bit ? (code + 1) / 2 : code;
    at += literal + (literal & 1);  // literal pixels are padded to an even length
  }
  return false;
}

bool bmp_complete(const Bytes& in) {
  if (!in.has(0, 18)) return false;
  const std::uint32_t offset = in.u32(10);
  const std::uint32_t header = in.u32(14);
  std::int64_t width = 0, height = 0;
  std::uint32_t bits = 0, compression = bmp_rgb;
  if (header == 12 && in.has(14, 12)) {
    width = in.u16(18);
    height = in.u16(20);
    bits = in.u16(24);
  } else if (header >= 40 && in.has(14, 40)) {
    width = static_cast<std::int32_t>(in.u32(18));
    height = static_cast<std::int32_t>(in.u32(22));
    bits = in.u16(28);
    compression = in.u32(30);
  } else {
    return false;
  }
  if (compression == bmp_rle8 || compression == bmp_rle4) {
    return rle_complete(in, offset, compression == bmp_rle4);
  }
  if (compression != bmp_rgb && compression != bmp_bitfields &&
      compression != bmp_alpha_bitfields) {
    return true;  // kinds the decoder does not take anyway
  }
  const std::uint64_t row = (static_cast<std::uint64_t>(std::llabs(width)) * bits + 31) / 32 * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(height));
  if (rows != 0 && row > in.size() / rows) return false;  // more pixels than the file could hold
  return in.has(offset, row * rows);
}

// Walks the marker segments up to the end-of-image marker, stepping over the
// entropy-coded data after each start of scan. An embedded thumbnail is inside
// a segment and is stepped over with it.
bool jpeg_complete(const Bytes& in) {
  std::uint64_t at = 2;
  while (in.has(at, 2)) {
    if (in.byte(at) != 0xFF) return false;
    const std::uint32_t marker = in.byte(at + 1);
    at += 2;
    if (marker == 0xD9) return true;
    if (marker == 0xFF) {  // fill byte
      --at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (!in.has(at, 2)) return false;
    at += in.big_u16(at);  // the segment's length counts its own two bytes
    if (marker != 0xDA) continue;
    // Scan data: runs until a marker other than a stuffed 0xFF00 or a restart.
    while (in.has(at, 2)) {
      const std::uint32_t next = in.byte(at + 1);
      if (in.byte(at) == 0xFF && next != 0x00 && !(next >= 0xD0 && next <= 0xD7)) break;
      ++at;
    }
  }
  return false;
}

// Steps over a chain of sub-blocks; the position after its terminator, or 0.
std::uint64_t skip_sub_blocks(const Bytes& in, std::uint64_t at) {
  while (in.has(at, 1)) {
    const std::uint32_t length = in.byte(at);
    ++at;
    if (length == 0) return at;
    at += length;
  }
  return 0;
}

std::uint64_t colour_table_size(std::uint32_t flags) {
  return flags & 0x80 ? 3ULL << ((flags & 0x07) + 1) : 0;
}

// Only the first frame is drawn, so it is the one that has to be whole.
bool gif_complete(const Bytes& in) {
  if (!in.has(0, 13)) return false;
  std::uint64_t at = 13 + colour_table_size(in.byte(10));
  while (in.has(at, 1)) {
    const std::uint32_t block = in.byte(at);
    if (block == 0x21) {  // extension: a label, then sub-blocks
      at = in.has(at, 2) ? skip_sub_blocks(in, at + 2) : 0;
    } else if (block == 0x2C) {  // the frame: descriptor, colour table, code size, data
      if (!in.has(at, 10)) return false;
      at += 10 + colour_table_size(in.byte(at + 9)) + 1;
      return skip_sub_blocks(in, at) != 0;
    } else {
      return false;  // the trailer before any frame, or garbage
    }
    if (at == 0) return false;
  }
  return false;
}

}  // namespace

bool picture_complete(std::string_view bytes) {
  const Bytes in(bytes);
  if (bytes.substr(0, 2) == "BM") return bmp_complete(in);
  if (bytes.substr(0, 2) == "\xFF\xD8") return jpeg_complete(in);
  if (bytes.substr(0, 4) == "GIF8") return gif_complete(in);
  return true;
}

}  // namespace korvid::detail
