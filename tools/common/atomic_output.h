// Writing a converter's output so that a failure never leaves a partial file.
#pragma once

#include <string>
#include <string_view>

namespace tools {

// Writes all of data to the descriptor, carrying on after interruptions.
bool write_all(int fd, std::string_view data);

// Writes data to output through a temporary file in the same folder (named
// ".<program>-XXXXXX") and a rename over output, only once everything is written
// and synced; on failure the temporary is removed and the old output left as it
// was, and error says why. An interrupting SIGINT, SIGTERM or SIGHUP removes the
// temporary too. The file keeps the permissions of the file it replaces (Veltrim
// hands over a private scratch file), or gets the usual ones for a new file; an
// output that is a symbolic link is written through, its target replaced.
bool write_atomically(std::string_view program, const std::string& output, std::string_view data,
                      std::string& error);

}  // namespace tools
