#include "platform/qt/qt_file_choosers.h"

#include <QApplication>
#include <QFileDialog>
#include <stdexcept>

#include "platform/qt/qt_strings.h"

namespace zil::platform {
namespace {

std::optional<std::filesystem::path> Choose(const FileChoice& choice, QFileDialog::AcceptMode mode) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw std::runtime_error("Choosing a file needs the dialogs, and they are not running");
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  QFileDialog dialog(parent, ToQString(choice.title));
  dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("OpenFileDialog")
                                                       : QStringLiteral("SaveFileDialog"));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const QStringList filters = ToQtNameFilters(choice.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(ToQString(BareExtension(choice.defaultExtension)));
  if (!choice.initialFolder.empty()) dialog.setDirectory(ToQPath(choice.initialFolder));
  if (!choice.fileName.empty()) {
    // A full path opens in its own folder; a bare name in the initial folder.
    dialog.selectFile(choice.fileName.has_parent_path() ? ToQPath(choice.fileName)
                                                        : ToQPath(choice.fileName.filename()));
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return FromQPath(chosen.front());
}

}  // namespace

QStringList ToQtNameFilters(std::u16string_view filter) {
  QStringList filters;
  for (const FileFilterEntry& entry : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const std::u16string& pattern : entry.patterns) patterns << ToQString(pattern);
    const QString description = ToQString(entry.description);
    const QString joined = patterns.join(u' ');
    if (description.endsWith(u'(' + joined + u')')) {
      filters << description;
    } else {
      filters << description + QStringLiteral(" (") + joined + QChar(u')');
    }
  }
  return filters;
}

std::optional<std::filesystem::path> QtFileChoosers::ChooseFileToOpen(const FileChoice& choice) {
  return Choose(choice, QFileDialog::AcceptOpen);
}

std::optional<std::filesystem::path> QtFileChoosers::ChooseFileToSave(const FileChoice& choice) {
  return Choose(choice, QFileDialog::AcceptSave);
}

}  // namespace zil::platform
