// The script file: gemtext whose level-1 headings divide it into segments, each
// heading carrying the segment's title and, after " - ", its length:
//
//   # Welcome - 1:30
//
//   Hello, world
//   # Questions - 5:00
//
// Files are read with LF, CR or CR LF line ends and written with CR LF, bytes
// as they are held.
#pragma once

#include <string>
#include <string_view>

#include "app/script/script.h"

namespace veltrim {

// Why a file that holds NUL bytes is not read as a script.
inline constexpr std::string_view not_text_reason = "not a text file";

struct Load_status {
  int code = 0;         // 0 read; 1 no file of that name; EILSEQ not a text file;
                        // otherwise the errno of opening or reading it
  std::string reason;   // why it could not be read, for messages
  bool ok() const { return code == 0; }
};

// Reads a script file. On failure the script is empty (no name, no segments);
// a file holding a NUL byte is refused as not a text file.
// With a `level` of 2 or more, headings of that level (and above) are lowered
// to level 1 first, so that they start segments (imports use this).
Script load_script(std::string_view filename, Load_status& status, int level = 0);

// The segments of a script file's bytes. Lines before the first heading belong
// to the first segment; a file without a heading is one untitled segment.
Script parse_script(std::string_view data, int level = 0);

// Reads a heading into the segment's title and length, and blanks the length
// out of the heading line so that it shows the title only. A suffix that is
// not a positive length stays part of the title, unless it is written exactly
// as the writer writes a length ("0:00", "-1:30").
void set_title_and_possibly_length(Segment& segment, std::string& heading);

// The text of the script file: for each segment what stood before its heading
// in its file, the heading and an empty line, then the body, each line
// without trailing blanks and ended by CR LF. Leading and trailing blank lines
// of a body are left out, so that reading and writing again changes nothing;
// a body that leaves a fence open is closed before the next segment.
std::string script_text(Script& script);

}  // namespace veltrim
