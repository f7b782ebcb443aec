#include "app/panels/unsaved_changes.h"

#include <cstdlib>
#include <filesystem>

#include "korvid/korvid.h"

namespace veltrim {
namespace {
constexpr int question_kind = 2;  // warning icon
}  // namespace

std::string discard_question(const Script& script) {
  const std::string name = script.filename().empty()
                               ? std::string("Untitled")
                               : std::filesystem::path(script.filename()).filename().string();
  return "Discard the unsaved changes to " + name + "?";
}

bool confirm_discard_changes(const Script& script) {
  if (!script.changed()) return true;
  return korvid::dlgyesno(question_kind, discard_question(script)) == 1;
}

void end_program_if_confirmed(const Script& script) {
  if (!confirm_discard_changes(script)) return;
  // Exiting from the program thread stops and joins the window thread first.
  std::exit(0);
}

}  // namespace veltrim
