// Stands in for marktext and slidetext: records its arguments, NUL-separated, in
// "arguments" beside itself, writes "# Converted" to the file after -o, writes
// FAKE_STDERR and FAKE_STDERR_BYTES more bytes to standard error, sleeps
// FAKE_SLEEP_MS milliseconds, and ends with the exit code FAKE_EXIT or the
// signal FAKE_SIGNAL.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

static int number_from(const char* variable) { return std::getenv(variable) ? std::atoi(std::getenv(variable)) : 0; }

int main(int argc, char** argv) {
  auto record_file = std::filesystem::path(argv[0]).parent_path() / "arguments";
  std::ofstream record(record_file, std::ios::binary);
  for (int i = 0; i < argc; ++i) record << argv[i] << '\0';
  record.close();
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "-o") std::ofstream(argv[i + 1]) << "# Converted\r\n";
  }
  std::cerr << (std::getenv("FAKE_STDERR") ? std::getenv("FAKE_STDERR") : "")
            << std::string(static_cast<std::size_t>(number_from("FAKE_STDERR_BYTES")), 'x') << std::flush;
  std::this_thread::sleep_for(std::chrono::milliseconds(number_from("FAKE_SLEEP_MS")));
  if (number_from("FAKE_SIGNAL") != 0) std::raise(number_from("FAKE_SIGNAL"));
  return number_from("FAKE_EXIT");
}
