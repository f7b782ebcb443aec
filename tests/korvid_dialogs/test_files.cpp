#include "test_files.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace dialogs_test {
namespace {

void put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t row_bytes(int width, int bits) {
  return static_cast<std::uint32_t>((std::uint64_t{static_cast<std::uint32_t>(width)} * bits + 31) /
                                    32 * 4);
}

}  // namespace

void DialogsTest::SetUp() {
  window = korvid::initwindow(200, 120, "Dialogs", korvid::default_position, korvid::default_position, false,
                              false);
  korvid::testing::forget_dialogs();
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(out.good()) << path;
}

std::string bmp_header(int width, int height, int bits) {
  const std::uint32_t colours = bits == 1 ? 2 : 0;
  const std::uint32_t offset = 54 + 4 * colours;
  const std::uint32_t pixels = row_bytes(width, bits) * static_cast<std::uint32_t>(height);
  const auto u32 = [](int value) { return static_cast<std::uint32_t>(value); };
  std::string out = "BM";
  // File header, then the 40-byte information header.
  for (const auto& [value, bytes] :
       {std::pair{offset + pixels, 4}, {0u, 4}, {offset, 4}, {40u, 4}, {u32(width), 4}, {u32(height), 4},
        {1u, 2}, {u32(bits), 2}, {0u, 4}, {pixels, 4}, {2835u, 4}, {2835u, 4}, {colours, 4}, {0u, 4}}) {
    put(out, value, bytes);
  }
  if (bits == 1) out += std::string("\0\0\0\0\xFF\xFF\xFF\0", 8);  // black, then white
  return out;
}

std::string bmp(int width, int height, const std::function<int(int, int)>& colour) {
  std::string out = bmp_header(width, height, 24);
  for (int y = height - 1; y >= 0; --y) {  // bottom row first, blue green red
    for (int x = 0; x < width; ++x) {
      const auto c = static_cast<std::uint32_t>(colour(x, y));
      put(out, (c >> 16 & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16, 3);
    }
    out.append(row_bytes(width, 24) - static_cast<std::uint32_t>(width) * 3, '\0');
  }
  return out;
}

}  // namespace dialogs_test
