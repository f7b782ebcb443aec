#include <optional>
#include <string>

#include "app/cli.h"
#include "app/program.h"

int main(int argc, char** argv) {
  if (const auto status = veltrim::handle_command_line(argc, argv)) return *status;
  // Exactly one argument names the file to start with; anything else starts empty.
  std::optional<std::string> file;
  if (argc == 2) file = argv[1];
  return veltrim::run_program(file);
}
