#include <QInputDialog>

#include "korvid/dialogs.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/modal.h"

namespace korvid {
namespace {

using detail::DialogAction;
using detail::DialogKind;

QString qstring(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Window thread: an "Input Request" dialog with Ok and Cancel around `prompt`.
void configure(QInputDialog& dialog, std::string_view prompt) {
  dialog.setWindowTitle(QStringLiteral("Input Request"));
  dialog.setLabelText(qstring(prompt));
  dialog.setOkButtonText(QStringLiteral("Ok"));
  dialog.setCancelButtonText(QStringLiteral("Cancel"));
}

detail::ShownDialog describe(const QInputDialog& dialog, DialogKind kind) {
  detail::ShownDialog shown;
  shown.kind = kind;
  shown.title = dialog.windowTitle().toStdString();
  shown.text = dialog.labelText().toStdString();
  shown.suggested = dialog.textValue().toStdString();
  shown.owned = dialog.parentWidget() != nullptr;
  for (const QString& entry : dialog.comboBoxItems()) shown.entries.push_back(entry.toStdString());
  return shown;
}

int request_line(std::string_view prompt, std::string& text, bool password) {
  if (!detail::ensure_gui_thread()) return 0;
  const auto typed = detail::call_on_gui([&]() -> std::optional<std::string> {
    QInputDialog dialog(detail::dialog_owner());
    configure(dialog, prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setTextValue(qstring(text));
    const auto kind = password ? DialogKind::request_password : DialogKind::request_text;
    if (const auto answer = detail::run_modal(dialog, describe(dialog, kind))) {
      if (answer->action == DialogAction::enter_text) return answer->text;
      if (answer->action == DialogAction::press_ok) return text;
      return std::nullopt;
    }
    if (dialog.result() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
  });
  if (!typed || !*typed) return 0;
  text = **typed;
  return 1;
}

}  // namespace

int dlgrequesttext(std::string_view prompt, std::string& text) {
  return request_line(prompt, text, false);
}

int dlgrequestpassword(std::string_view prompt, std::string& text) {
  return request_line(prompt, text, true);
}

int dlgrequestselection(std::string_view prompt, const std::vector<std::string>& entries) {
  if (entries.empty() || !detail::ensure_gui_thread()) return -1;
  return detail::call_on_gui([&] {
           QStringList items;
           for (const std::string& entry : entries) items.push_back(QString::fromStdString(entry));
           QInputDialog dialog(detail::dialog_owner());
           configure(dialog, prompt);
           dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
           dialog.setComboBoxEditable(false);
           dialog.setComboBoxItems(items);
           dialog.setTextValue(items.first());  // the first entry starts chosen
           const auto answer =
               detail::run_modal(dialog, describe(dialog, DialogKind::request_selection));
           if (answer) {
             if (answer->action == DialogAction::choose_entry) {
               return answer->entry >= 0 && answer->entry < items.size() ? answer->entry : -1;
             }
             if (answer->action != DialogAction::press_ok) return -1;
           } else if (dialog.result() != QDialog::Accepted) {
             return -1;
           }
           return static_cast<int>(items.indexOf(dialog.textValue()));
         })
      .value_or(-1);
}

}  // namespace korvid
