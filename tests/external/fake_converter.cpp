// Stands in for marktext and slidetext. It records its arguments, NUL-separated,
// in the file "arguments" beside itself, writes "# Converted" to the file named
// after -o, writes FAKE_STDERR and then FAKE_STDERR_BYTES more bytes to standard
// error, and ends with the exit code FAKE_EXIT or the signal FAKE_SIGNAL.
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int number_from(const char* variable) {
  const char* value = std::getenv(variable);
  return value ? std::atoi(value) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  auto folder = std::filesystem::path(argv[0]).parent_path();
  std::ofstream record(folder / "arguments", std::ios::binary);
  for (int i = 0; i < argc; ++i) record << argv[i] << '\0';
  record.close();

  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "-o") std::ofstream(argv[i + 1], std::ios::binary) << "# Converted\r\n";
  }
  if (const char* text = std::getenv("FAKE_STDERR")) std::cerr << text;
  std::cerr << std::string(static_cast<std::size_t>(number_from("FAKE_STDERR_BYTES")), 'x');
  std::cerr.flush();
  if (int signal = number_from("FAKE_SIGNAL")) std::raise(signal);
  return number_from("FAKE_EXIT");
}
