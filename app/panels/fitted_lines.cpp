#include "app/panels/fitted_lines.h"

#include "app/script/middle_cut.h"
#include "korvid/korvid.h"

namespace veltrim {

std::vector<std::string> fit_lines(std::string_view text, int width) {
  const auto fits = [width](std::string_view shown) { return korvid::textwidth(shown) <= width; };
  std::vector<std::string> lines;
  std::string line;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    const std::string word = shorten_in_middle(text.substr(0, blank), fits);
    text = blank == std::string_view::npos ? std::string_view{} : text.substr(blank + 1);
    if (line.empty()) {
      line = word;
    } else if (std::string joined = line + ' ' + word; fits(joined)) {
      line = std::move(joined);
    } else {
      lines.push_back(std::move(line));
      line = word;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

}  // namespace veltrim
