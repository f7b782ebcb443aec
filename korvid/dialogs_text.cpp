#include "korvid/internal/dialog_text.h"

namespace korvid::detail {
namespace {

bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The single patterns of a ';'-separated list, blanks removed, "*.*" read as
// "*" (on this desktop a file need not have a dot to count as any file).
std::vector<std::string> split_patterns(std::string_view pattern) {
  std::vector<std::string> parts;
  while (!pattern.empty()) {
    const auto end = pattern.find(';');
    const std::string_view part = trimmed(pattern.substr(0, end));
    if (!part.empty()) parts.emplace_back(part == "*.*" ? "*" : part);
    if (end == std::string_view::npos) break;
    pattern.remove_prefix(end + 1);
  }
  return parts;
}

std::string joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const auto& part : parts) {
    if (!text.empty()) text += ' ';
    text += part;
  }
  return text;
}

}  // namespace

std::string_view utf8_prefix(std::string_view text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) return text;
  std::size_t end = max_bytes;
  while (end > 0 && is_continuation_byte(text[end])) --end;
  return text.substr(0, end);
}

std::vector<std::string> file_filters(std::string_view description, std::string_view pattern) {
  std::vector<std::string> filters;
  pattern = utf8_prefix(pattern, max_dialog_argument);
  description = utf8_prefix(description, max_dialog_argument);
  const std::vector<std::string> patterns = split_patterns(pattern);
  if (!patterns.empty()) {
    std::string shown(trimmed(description));
    if (shown.empty())
      shown = std::string(utf8_prefix(pattern, max_pattern_as_description)) + "files";
    filters.push_back(shown + " (" + joined(patterns) + ")");
  }
  filters.emplace_back("All Files (*)");
  return filters;
}

std::string single_extension(std::string_view pattern) {
  const std::vector<std::string> patterns = split_patterns(pattern);
  if (patterns.size() != 1) return {};
  const std::string& only = patterns.front();
  if (only.size() < 3 || only.compare(0, 2, "*.") != 0) return {};
  const std::string extension = only.substr(2);
  const bool wild = extension.find_first_of("*?[]. ") != std::string::npos;
  return wild ? std::string() : extension;
}

std::string with_default_extension(std::string path, std::string_view extension) {
  if (extension.empty()) return path;
  const auto slash = path.find_last_of('/');
  const std::string_view name =
      std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  // A leading dot marks a hidden file, not an extension.
  const bool has_extension = name.size() > 1 && name.find('.', 1) != std::string_view::npos;
  if (name.empty() || has_extension) return path;
  path += '.';
  path += extension;
  return path;
}

}  // namespace korvid::detail
