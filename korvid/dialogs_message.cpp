#include <QMessageBox>
#include <QPushButton>

#include "korvid/dialogs.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/modal.h"

namespace korvid {
namespace {

using detail::DialogAction;
using detail::DialogIcon;

struct Look {
  const char* title;
  QMessageBox::Icon icon;
  DialogIcon recorded;
};

Look look_of(int kind) {
  switch (kind) {
    case message_information:
      return {"Information", QMessageBox::Information, DialogIcon::information};
    case message_warning:
      return {"Warning", QMessageBox::Warning, DialogIcon::warning};
    case message_error:
      return {"Error", QMessageBox::Critical, DialogIcon::error};
    default:
      return {"Message", QMessageBox::NoIcon, DialogIcon::none};
  }
}

// Window thread. 1 when Yes was chosen, 0 otherwise (OK boxes always give 0).
int run_box(int kind, const QString& text, bool yes_no) {
  const Look look = look_of(kind);
  const auto buttons = yes_no ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
  QMessageBox box(look.icon, QString::fromLatin1(look.title), text, buttons,
                  detail::dialog_owner());
  // Closing the box or pressing Escape counts as No.
  if (yes_no) box.setDefaultButton(QMessageBox::Yes);

  detail::ShownDialog shown;
  shown.kind = yes_no ? detail::DialogKind::yes_no : detail::DialogKind::message;
  shown.title = box.windowTitle().toStdString();
  shown.text = box.text().toStdString();
  shown.icon = look.recorded;
  shown.owned = box.parentWidget() != nullptr;

  if (const auto answer = detail::run_modal(box, std::move(shown))) {
    return yes_no && answer->action == DialogAction::press_yes ? 1 : 0;
  }
  return yes_no && box.clickedButton() == box.button(QMessageBox::Yes) ? 1 : 0;
}

int show_box(int kind, std::string_view text, bool yes_no) {
  if (text.empty() || !detail::ensure_gui_thread()) return 0;
  return detail::call_on_gui([&] {
           const QString qtext =
               QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
           return run_box(kind, qtext, yes_no);
         })
      .value_or(0);
}

}  // namespace

void dlgmessage(int kind, std::string_view text) { show_box(kind, text, false); }

int dlgyesno(int kind, std::string_view text) { return show_box(kind, text, true); }

}  // namespace korvid
