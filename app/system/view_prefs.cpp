#include "app/system/view_prefs.h"

#include <array>
#include <utility>

#include "app/system/prefs.h"

namespace veltrim {
namespace {

using Flag = bool View_preferences::*;

constexpr std::array<std::pair<std::string_view, Flag>, 3> keys{{
    {"Start Full Screen", &View_preferences::start_full_screen},
    {"Dark Reading View", &View_preferences::dark_view},
    {"Mirrored Reading View", &View_preferences::mirrored_view},
}};

}  // namespace

bool apply_view_preference(View_preferences& view, std::string_view key, std::string_view line) {
  for (const auto& [name, flag] : keys) {
    if (key != name) continue;
    view.*flag = load_integer(line, view.*flag ? 1 : 0) != 0;
    return true;
  }
  return false;
}

void save_view_preferences(std::string& out, const View_preferences& view) {
  for (const auto& [name, flag] : keys) save_integer(out, name, view.*flag ? 1 : 0);
}

}  // namespace veltrim
