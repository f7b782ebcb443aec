#include "app/panels/script_saving.h"

#include <string>

#include "korvid/korvid.h"

namespace veltrim {
namespace {

// Marks the script saved, or tells the user why the file was not written.
bool settle_save(Script& script, const std::string& file, const Save_result& result) {
  if (result.written) {
    script.mark_saved();
    return true;
  }
  korvid::dlgmessage(korvid::message_error, "Could not save " + file + ": " + result.reason);
  return false;
}

}  // namespace

bool save_script(Script& script) {
  if (script.filename().empty()) return save_script_as(script);
  const std::string file = script.filename();
  return settle_save(script, file, script.script_save());
}

bool save_script_as(Script& script) {
  std::string file;
  if (!korvid::dlgsavefile(file, script_filter_name, script_filter, save_dialog_title)) return false;
  const std::string previous = script.filename();
  const Save_result result = script.script_save(file);
  // The script must not claim a file that does not hold it.
  if (!result.written) script.set_filename(previous);
  return settle_save(script, file, result);
}

}  // namespace veltrim
