#include "app/script/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace veltrim {
namespace {

class File_descriptor {
 public:
  explicit File_descriptor(int fd) : fd_(fd) {}
  File_descriptor(const File_descriptor&) = delete;
  File_descriptor& operator=(const File_descriptor&) = delete;
  ~File_descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

Read_result failure(int error) { return {error, std::strerror(error)}; }

}  // namespace

Read_result read_file(const std::string& path, std::string& data) {
  data.clear();
  // Opened without blocking, so that a pipe without a writer cannot stall the
  // open; reading then blocks as usual.
  File_descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return failure(errno);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return failure(errno);
  if (S_ISDIR(info.st_mode)) return failure(EISDIR);
  if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) return {EINVAL, "not a regular file"};
  ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);

  const std::size_t size = S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0;
  data.resize(size + 1);  // one byte more notices a file that grew
  std::size_t filled = 0;
  for (;;) {
    if (filled == data.size()) data.resize(data.size() * 2 + 65536);
    const ssize_t got = ::read(file.get(), data.data() + filled, data.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      data.clear();
      return failure(error);
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  data.resize(filled);
  return {};
}

}  // namespace veltrim
