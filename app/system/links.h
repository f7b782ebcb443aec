// Which links open at a click and which ask first, and file URLs.
//
// Web links open at once. A "file" link opens at once only when it names a
// plain document on this machine: an existing regular file that is not a
// program and not a desktop entry, since opening either runs something. Any
// other link asks the user first.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace veltrim {

// Prefixes of the links that may open without a question (case-sensitive).
inline constexpr std::string_view just_open_url_prefixes[] = {"http", "file"};

// Whether a click on `url` opens it without asking.
bool opens_without_asking(std::string_view url);

// The local path a "file:" URL names ("file:///a%20b", "file://localhost/a",
// "file:/a"), or nothing for another host, another scheme or a bad escape.
std::optional<std::filesystem::path> local_file_of(std::string_view url);

// A "file://" URL for an absolute path: every byte outside the unreserved set
// and "/" is percent-encoded, so folders with blanks or non-ASCII names still open.
std::string file_url(const std::filesystem::path& path);

// Asks the desktop to open `url`; when nothing can, says so in a message box.
void open_url_or_say_why(std::string_view url);

}  // namespace veltrim
