#include "korvid/testing_dialogs.h"

namespace korvid::testing {
namespace {

void answer(detail::DialogAction action, std::string text = {}, int entry = -1) {
  detail::answer_dialog({action, std::move(text), entry});
}

}  // namespace

void press_ok() { answer(detail::DialogAction::press_ok); }
void press_yes() { answer(detail::DialogAction::press_yes); }
void press_no() { answer(detail::DialogAction::press_no); }
void cancel_dialog() { answer(detail::DialogAction::cancel); }
void type_and_accept(std::string text) {
  answer(detail::DialogAction::enter_text, std::move(text));
}
void choose_entry(int index) { answer(detail::DialogAction::choose_entry, {}, index); }

ShownDialog wait_for_dialog() { return detail::wait_for_open_dialog(); }
std::vector<ShownDialog> shown_dialogs() { return detail::recent_dialogs(); }

ShownDialog last_dialog() {
  const std::vector<ShownDialog> shown = detail::recent_dialogs();
  return shown.empty() ? ShownDialog{} : shown.back();
}
void forget_dialogs() { detail::forget_dialogs(); }

}  // namespace korvid::testing
