#include "app/system/links.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "app/system/external.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> percent_decoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const int high = i + 2 < text.size() ? hex_value(text[i + 1]) : -1;
    const int low = high >= 0 ? hex_value(text[i + 2]) : -1;
    if (low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  // A NUL would end the path early at the system call: not a file we can vouch for.
  if (out.find('\0') != std::string::npos) return std::nullopt;
  return out;
}

bool is_desktop_entry(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
  return extension == ".desktop";
}

// An existing regular file (links followed) that nobody may execute.
bool is_plain_document(const std::filesystem::path& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return false;
  return S_ISREG(status.st_mode) && (status.st_mode & 0111) == 0 && !is_desktop_entry(path);
}

}  // namespace

std::optional<std::filesystem::path> local_file_of(std::string_view url) {
  if (!url.starts_with("file:")) return std::nullopt;
  std::string_view rest = url.substr(5);
  if (rest.starts_with("//")) {
    rest.remove_prefix(2);
    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && host != "localhost") return std::nullopt;
    rest.remove_prefix(slash);
  }
  if (!rest.starts_with('/')) return std::nullopt;
  // A query or fragment is no part of the file's name.
  rest = rest.substr(0, rest.find_first_of("?#"));
  auto path = percent_decoded(rest);
  if (!path) return std::nullopt;
  return std::filesystem::path(*path);
}

bool opens_without_asking(std::string_view url) {
  const bool listed = std::ranges::any_of(just_open_url_prefixes, [&](std::string_view prefix) {
    return url.starts_with(prefix);
  });
  if (!listed) return false;
  if (!url.starts_with("file")) return true;
  const auto path = local_file_of(url);
  return path && is_plain_document(*path);
}

std::string file_url(const std::filesystem::path& path) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const unsigned char c : path.string()) {
    const bool plain = std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    }
  }
  return url;
}

void open_url_or_say_why(std::string_view url) {
  if (!open_url(url)) korvid::dlgmessage(korvid::message_warning, "No program is set up to open " + std::string(url) + ".");
}

}  // namespace veltrim
