// Running the sibling converters that turn Markdown files and PowerPoint decks
// into gemtext, and handing web pages to the desktop.
//
// The converters lie in the program's own folder and are started directly with an
// argument vector, never through a shell, so no file name is ever interpreted.
// Their output goes to a fresh scratch file that belongs to the caller: it is
// deleted when the conversion fails, and when the caller lets go of it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/system/platform.h"

namespace veltrim {

inline constexpr std::string_view markdown_converter = "marktext";
inline constexpr std::string_view powerpoint_converter = "slidetext";

// Exit codes of store_child_command_line beyond the child's own.
inline constexpr int child_not_started = -1;
inline constexpr int child_killed = -2;
inline constexpr int child_timed_out = -3;

// The program waits for a converter while the user looks at "Importing...", so
// it stops waiting after this long and ends the converter.
inline constexpr std::chrono::milliseconds converter_time_limit = std::chrono::minutes(2);

// The converter's complaint is shown to the user in at most this many
// characters; a longer one loses its middle, so the file it names stays.
inline constexpr std::size_t longest_error_line = 120;

// A file that is removed when this object lets go of it.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
  TemporaryFile(TemporaryFile&& other) noexcept;
  TemporaryFile& operator=(TemporaryFile&& other) noexcept;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  // Empty when there is no file.
  const std::filesystem::path& path() const { return path_; }
  // Removes the file now.
  void remove();

 private:
  std::filesystem::path path_;
};

// How a child process ended.
struct ChildOutcome {
  // The exit code, child_not_started, child_killed or child_timed_out.
  int exit_code = child_not_started;
  // First line the child wrote to its standard error, shortened in the middle
  // to longest_error_line characters; when it could not be started, why.
  std::string error_line;
};

// A conversion: on success `gemtext` holds the converted file; on failure it is
// empty and `exit_code` and `error_line` tell what the converter said.
struct Conversion {
  TemporaryFile gemtext;
  int exit_code = 0;
  std::string error_line;

  bool succeeded() const { return !gemtext.path().empty(); }
};

// `tool` in the program's folder (the tool name alone when the folder is unknown).
std::filesystem::path full_tool_command(const std::filesystem::path& program_directory,
                                        std::string_view tool);

// Creates a new, empty file with a unique name ending in "." + `extension` in the
// temporary folder, readable and writable by the user only. Empty when it cannot
// be created.
std::filesystem::path temporary_filename(const Environment& environment, std::string_view extension);

// What the user reads when a converter ran out of time: "The converter did not
// finish within 2 minutes." for converter_time_limit.
std::string converter_timeout_message(std::chrono::milliseconds time_limit);

// Runs arguments[0] with the given arguments and waits for it to end, for at most
// `time_limit`: a child still running then is killed and the result is
// child_timed_out. Standard input and output are /dev/null; standard error is
// read meanwhile.
ChildOutcome store_child_command_line(const std::vector<std::string>& arguments,
                                      std::chrono::milliseconds time_limit = converter_time_limit);

// Runs `marktext -o OUT IN`. A converter that runs out of time is ended and the
// conversion fails with converter_timeout_message as its error line.
Conversion markdown_to_gemtext(const Platform& platform, const std::filesystem::path& markdown_file,
                               std::chrono::milliseconds time_limit = converter_time_limit);

// The speaking rate slidetext estimates lengths at unless told otherwise.
inline constexpr int converter_words_per_minute = 130;

// Runs `slidetext [-n] [--wpm N] IN -o OUT`; with `notes` the slides' speaker
// notes are the text instead of the slides' own; --wpm only for a rate other
// than the converter's own. Ends as markdown_to_gemtext does.
Conversion powerpoint_to_gemtext(const Platform& platform, const std::filesystem::path& pptx_file,
                                 bool notes = false, int words_per_minute = converter_words_per_minute,
                                 std::chrono::milliseconds time_limit = converter_time_limit);

// Asks the desktop to open `url` in the user's browser or viewer. False when the
// URL does not parse or nothing could open it.
bool open_url(std::string_view url);

}  // namespace veltrim
