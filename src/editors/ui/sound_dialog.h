// The property dialog of a sound or a music (one class: they differ only in
// words): the name, and per source (WAV, MP3, OGG) a button to choose a
// file, the file's name and a button to remove it. Nothing reaches the
// record before "Done".
#pragma once

#include <QWidget>
#include <array>

#include "editors/sound_edits.h"
#include "editors/ui/resource_dialog.h"

class QLabel;

namespace vorlane {

class SoundDialog : public ResourceDialog {
  Q_OBJECT

 public:
  // `kind` is ResourceKind::Sound or ResourceKind::Music.
  SoundDialog(QWidget* parent, Project& project, ResourceKind kind, int index);

  QPushButton* set_button(SoundSource source) const { return row(source).set; }
  QLabel* file_label(SoundSource source) const { return row(source).label; }
  QPushButton* unset_button(SoundSource source) const { return row(source).unset; }
  const PendingSources& pending() const { return pending_; }

 protected:
  std::vector<std::string> Done() override;

 private:
  struct Row {
    QPushButton* set;
    QLabel* label;
    QPushButton* unset;
  };
  const Row& row(SoundSource source) const { return rows_[static_cast<int>(source)]; }
  void Choose(SoundSource source);
  void Unset(SoundSource source);
  void ShowPending(SoundSource source);

  PendingSources pending_;
  std::array<Row, 3> rows_;
};

}  // namespace vorlane
