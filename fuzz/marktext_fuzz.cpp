// marktext: any bytes convert without a fault, and what comes out is
// well-formed gemtext: valid UTF-8 in CR LF lines without control characters,
// every preformatted block closed.
//
// md4c is not built with the sanitizers, so its reads past the end of the
// input would go unseen: the input is placed to end right before a page that
// cannot be read, where such a read faults.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "tests/tools/gemtext_check.h"
#include "tools/marktext/marktext.h"

namespace {

class Guarded_buffer {
 public:
  static constexpr std::size_t capacity = std::size_t{1} << 20;

  Guarded_buffer() {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    void* memory = mmap(nullptr, capacity + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    fuzz::require(memory != MAP_FAILED && mprotect(static_cast<char*>(memory) + capacity, page, PROT_NONE) == 0,
                  "a guarded buffer can be made");
    end_ = static_cast<char*>(memory) + capacity;
  }

  // The input copied to end where readable memory ends (as it is when it is larger).
  std::string_view hold(std::string_view input) const {
    if (input.size() > capacity) return input;
    char* start = end_ - input.size();
    std::memcpy(start, input.data(), input.size());
    return {start, input.size()};
  }

 private:
  char* end_ = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Guarded_buffer buffer;
  const std::string_view input = buffer.hold({reinterpret_cast<const char*>(data), size});
  const marktext::Result result = marktext::convert(input);
  fuzz::require(result.ok || !result.error.empty(), "a refusal says why");
  if (result.ok) fuzz::require(gemtext_check::well_formed(result.gemtext), "the output is well-formed gemtext");
  return 0;
}
