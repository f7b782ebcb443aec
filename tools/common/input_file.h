// Opening a converter's input with the system's own reason when it cannot be
// read (the libraries' messages are vaguer).
#pragma once

#include <sys/stat.h>

#include <string>

namespace tools {

// Opens path to read. Returns the descriptor (the caller closes it) with its
// status in st, or -1 with error set to "cannot read '<path>': <reason>", a
// folder included ("it is a folder").
int open_input(const std::string& path, struct stat& st, std::string& error);

}  // namespace tools
