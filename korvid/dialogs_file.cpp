#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "korvid/dialogs.h"
#include "korvid/internal/dialog_text.h"
#include "korvid/internal/file_dialog.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/modal.h"

namespace korvid {
namespace detail {
namespace {

QString qstring(const std::string& text) { return QString::fromStdString(text); }

// Opens the dialog where the suggestion points. Returns the file name it
// starts with (empty when the suggestion names a folder).
QString place_suggestion(QFileDialog& dialog, const std::string& suggestion) {
  if (suggestion.empty()) return {};
  if (suggestion.back() == '/') {
    dialog.setDirectory(qstring(suggestion));
    return {};
  }
  const QFileInfo info(qstring(suggestion));
  if (suggestion.find('/') != std::string::npos) dialog.setDirectory(info.absolutePath());
  dialog.selectFile(info.fileName());
  return info.fileName();
}

ShownDialog describe(const QFileDialog& dialog, const FileRequest& request, const QString& name) {
  ShownDialog shown;
  shown.kind = request.save ? DialogKind::save_file : DialogKind::open_file;
  shown.title = dialog.windowTitle().toStdString();
  for (const QString& filter : dialog.nameFilters()) shown.filters.push_back(filter.toStdString());
  shown.selected_filter = dialog.selectedNameFilter().toStdString();
  shown.folder = dialog.directory().absolutePath().toStdString();
  shown.suggested = name.toStdString();
  shown.owned = dialog.parentWidget() != nullptr;
  return shown;
}

// What a test's answer amounts to: a name typed into the dialog (or the
// suggested one, for a plain press of the accept button) taken in the
// dialog's folder; anything else cancels.
std::optional<std::string> scripted_choice(const QFileDialog& dialog, const FileRequest& request,
                                           const DialogAnswer& answer, const QString& name) {
  QString typed;
  if (answer.action == DialogAction::enter_text) typed = qstring(answer.text);
  if (answer.action == DialogAction::press_ok) typed = name;
  if (typed.isEmpty()) return std::nullopt;
  const QString path =
      QDir::isAbsolutePath(typed) ? typed : dialog.directory().absoluteFilePath(typed);
  if (request.must_exist && !QFileInfo(path).isFile()) return std::nullopt;
  return path.toStdString();
}

// Window thread: one round of the dialog.
std::optional<std::string> ask_once(const FileRequest& request, const std::string& suggestion) {
  QFileDialog dialog(dialog_owner(), qstring(request.title));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  // The question about replacing a file is ours: it has to be about the name
  // really written, extension included, whichever dialog the desktop provides.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  QStringList filters;
  for (const std::string& filter : request.filters) filters.push_back(qstring(filter));
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
  const QString name = place_suggestion(dialog, suggestion);

  if (const auto answer = run_modal(dialog, describe(dialog, request, name))) {
    return scripted_choice(dialog, request, *answer, name);
  }
  const QStringList chosen = dialog.selectedFiles();
  if (dialog.result() != QDialog::Accepted || chosen.isEmpty()) return std::nullopt;
  return chosen.first().toStdString();
}

bool confirm_replace(const std::string& path) {
  const std::string name = QFileInfo(qstring(path)).fileName().toStdString();
  return dlgyesno(message_warning, name + " already exists.\nDo you want to replace it?") == 1;
}

std::optional<std::string> choose_on_window_thread(const FileRequest& request) {
  std::string suggestion = request.initial;
  for (;;) {
    std::optional<std::string> chosen = ask_once(request, suggestion);
    if (!chosen || !request.save) return chosen;
    std::string path = with_default_extension(std::move(*chosen), request.extension);
    if (!QFileInfo::exists(qstring(path)) || confirm_replace(path)) return path;
    suggestion = std::move(path);
  }
}

}  // namespace

std::optional<std::string> choose_file(const FileRequest& request) {
  if (!ensure_gui_thread()) return std::nullopt;
  return call_on_gui([&] { return choose_on_window_thread(request); }).value_or(std::nullopt);
}

}  // namespace detail

namespace {

int run_file_dialog(bool save, std::string& filename, std::string_view description,
                    std::string_view pattern, std::string_view title) {
  detail::FileRequest request;
  request.save = save;
  request.initial = filename;
  request.filters = detail::file_filters(description, pattern);
  title = detail::utf8_prefix(title, detail::max_dialog_argument);
  request.title = title.empty() ? (save ? "Save File" : "Open File") : std::string(title);
  if (save) {
    request.extension =
        detail::single_extension(detail::utf8_prefix(pattern, detail::max_dialog_argument));
  }
  std::optional<std::string> chosen = detail::choose_file(request);
  if (!chosen) return 0;
  filename = std::move(*chosen);
  return 1;
}

}  // namespace

int dlgopenfile(std::string& filename, std::string_view description, std::string_view pattern,
                std::string_view title) {
  return run_file_dialog(false, filename, description, pattern, title);
}

int dlgsavefile(std::string& filename, std::string_view description, std::string_view pattern,
                std::string_view title) {
  return run_file_dialog(true, filename, description, pattern, title);
}

}  // namespace korvid
