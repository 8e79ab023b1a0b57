#include "editors/ui/sound_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "editors/ui/editor_dialogs.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"

namespace vorlane {
namespace {

// "<< Unset" is wider than its 50 pixels in the usual desktop fonts: a
// smaller font keeps the whole text readable instead of cutting it off.
void FitButtonText(QPushButton* button) {
  constexpr double kSmallestPoints = 6;
  const int room =
      button->width() - 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
  QFont font = button->font();
  if (font.pointSizeF() <= 0) return;  // sized in pixels: left as it is
  while (QFontMetrics(font).horizontalAdvance(button->text()) > room &&
         font.pointSizeF() - 0.5 >= kSmallestPoints)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  button->setFont(font);
}

}  // namespace

SoundDialog::SoundDialog(QWidget* parent, Project& project, ResourceKind kind, int index)
    : ResourceDialog(parent, project, kind, index,
                     kind == ResourceKind::Music ? "Music properties - " : "Sound properties - ",
                     480, 220, 230),
      pending_(PendingOf(kind == ResourceKind::Music ? project.musics.at(index)
                                                     : project.sounds.at(index))) {
  for (const SoundSource source : kSoundSources) {
    const int y = 40 + 30 * static_cast<int>(source);
    Row& row = rows_[static_cast<int>(source)];
    row.set = MakeButton(this, Q(SetSourceText(source)), 10, y, 150, 25);
    row.label = MakeLabel(this, "", 170, y + 5, 230, 25);
    // A file name is shown as it is, never taken for rich text, on the
    // middle line of the buttons that start 5 pixels higher.
    row.label->setTextFormat(Qt::PlainText);
    row.label->setContentsMargins(0, 0, 0, 10);
    row.label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row.unset = MakeButton(this, "<< Unset", 420, y, 50, 25);
    FitButtonText(row.unset);
    connect(row.set, &QPushButton::clicked, this, [this, source] { Choose(source); });
    connect(row.unset, &QPushButton::clicked, this, [this, source] { Unset(source); });
    ShowPending(source);
  }
}

void SoundDialog::ShowPending(SoundSource source) {
  const std::string& pending = pending_[static_cast<int>(source)];
  row(source).label->setText(Q(SourceLabel(pending)));
  // A chosen file's whole path, which the label leaves out.
  row(source).label->setToolTip(Q(pending));
}

void SoundDialog::Choose(SoundSource source) {
  FileRequest request;
  request.title = SourceRequestTitle(kind_, source);
  request.filter = SourceRequestFilter(kind_, source);
  const std::string path = Dialogs().OpenFile(this, request);
  if (path.empty()) return;
  pending_[static_cast<int>(source)] = path;
  ShowPending(source);
}

void SoundDialog::Unset(SoundSource source) {
  if (!Dialogs().AskYesNo(this, "Confirm", UnsetQuestion(source))) return;
  pending_[static_cast<int>(source)].clear();
  ShowPending(source);
}

std::vector<std::string> SoundDialog::Done() {
  return StoreSound(project_, kind_, index_, name_text(), pending_);
}

namespace {

void EditSoundKind(QWidget* parent, Project& project, ResourceKind kind, const std::string& name) {
  EditEveryNamed(project, kind, name, [&](int index) {
    return std::make_unique<SoundDialog>(parent, project, kind, index);
  });
}

}  // namespace

void EditSound(QWidget* parent, Project& project, const std::string& name) {
  EditSoundKind(parent, project, ResourceKind::Sound, name);
}

void EditMusic(QWidget* parent, Project& project, const std::string& name) {
  EditSoundKind(parent, project, ResourceKind::Music, name);
}

}  // namespace vorlane
