// The desktop's requesters behind the dialog service.
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

#include "gui/ui/dialog_service.h"
#include "gui/ui/file_filter.h"
#include "gui/ui/qt_text.h"

namespace vorlane {
namespace {

QMessageBox::Icon IconFor(const std::string& title) {
  if (title == "Error") return QMessageBox::Critical;
  if (title == "Warning") return QMessageBox::Warning;
  if (title == "Confirm") return QMessageBox::Question;
  return QMessageBox::Information;
}

struct DesktopFilter {
  QString text;      // "PNG Images (*.png);;All files (*)"
  QString selected;  // the entry shown first
};

DesktopFilter MakeFilter(const FileRequest& request) {
  DesktopFilter filter;
  const auto entries = ParseFileFilter(request.filter);
  for (size_t i = 0; i < entries.size(); ++i) {
    const QString entry = Q(DesktopFilterText(entries[i]));
    if (!filter.text.isEmpty()) filter.text += ";;";
    filter.text += entry;
    if (static_cast<int>(i) == request.filter_index || filter.selected.isEmpty())
      filter.selected = entry;
  }
  return filter;
}

QString StartPath(const FileRequest& request) {
  QString folder = Q(request.folder);
  if (request.file.empty()) return folder;
  return folder.isEmpty() ? Q(request.file) : folder + "/" + Q(request.file);
}

class DesktopDialogs : public DialogService {
 public:
  void Message(QWidget* parent, const std::string& title, const std::string& text) override {
    QMessageBox box(IconFor(title), Q(title), Q(text), QMessageBox::Ok, parent);
    box.exec();
  }

  bool AskYesNo(QWidget* parent, const std::string& title, const std::string& text) override {
    QMessageBox box(QMessageBox::Question, Q(title), Q(text), QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  }

  std::string OpenFile(QWidget* parent, const FileRequest& request) override {
    DesktopFilter filter = MakeFilter(request);
    return QFileDialog::getOpenFileName(parent, Q(request.title), StartPath(request), filter.text,
                                        &filter.selected)
        .toStdString();
  }

  std::string SaveFile(QWidget* parent, const FileRequest& request) override {
    DesktopFilter filter = MakeFilter(request);
    return QFileDialog::getSaveFileName(parent, Q(request.title), StartPath(request), filter.text,
                                        &filter.selected)
        .toStdString();
  }

  bool ChooseColor(QWidget* parent, Color initial, Color* chosen) override {
    const QColor color = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), parent);
    if (!color.isValid()) return false;
    *chosen =
        Color{static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
              static_cast<std::uint8_t>(color.blue()), 255};
    return true;
  }

  bool ChooseFont(QWidget* parent, const FontChoice& initial, FontChoice* chosen) override {
    QFont font(Q(initial.family), initial.size > 0 ? initial.size : 12);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    bool ok = false;
    const QFont picked = QFontDialog::getFont(&ok, font, parent);
    if (!ok) return false;
    *chosen = FontChoice{picked.family().toStdString(), picked.pointSize(), picked.bold(),
                         picked.italic()};
    return true;
  }

  int Exec(QDialog& dialog) override { return dialog.exec(); }
};

DialogService* installed = nullptr;

}  // namespace

DialogService& Dialogs() {
  static DesktopDialogs desktop;
  return installed ? *installed : desktop;
}

void InstallDialogs(DialogService* service) { installed = service; }

}  // namespace vorlane
