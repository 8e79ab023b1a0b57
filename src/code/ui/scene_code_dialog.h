// "Scene code editor": a scene's creation code in a fixed-size window, a
// syntax error named between its buttons.
#pragma once

#include <QDialog>
#include <string>

#include "code/keyword_list.h"
#include "generate/script_place.h"
#include "gui/preferences.h"
#include "project/model.h"

class QLabel;
class QPushButton;

namespace vorlane {

class CodeEditor;
class SyntaxMarker;

class SceneCodeDialog : public QDialog {
  Q_OBJECT

 public:
  SceneCodeDialog(QWidget* parent, Scene& scene, Project& project, const Preferences& prefs,
                  const KeywordList& keywords);

  CodeEditor* editor() const { return editor_; }
  QPushButton* ok_button() const { return ok_; }
  QPushButton* cancel_button() const { return cancel_; }
  SyntaxMarker* syntax_marker() const { return marker_; }

  void accept() override;
  // Cancel and the close button ask before throwing changed code away.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Scene& scene_;
  Project& project_;
  CodeEditor* editor_;
  QPushButton* ok_;
  QPushButton* cancel_;
  SyntaxMarker* marker_;
  std::string opening_text_;
};

// OK stores the code in the scene and marks the project modified. True on OK.
// With `line` > 0 the dialog opens at that line of the code.
bool EditSceneCode(QWidget* parent, Project& project, const Preferences& prefs,
                   const KeywordList& keywords, Scene& scene, CodeSpot spot = {});
// The same for project.scenes[scene_index]; false for an index that names no scene.
bool EditSceneCode(QWidget* parent, Project& project, const Preferences& prefs,
                   const KeywordList& keywords, int scene_index, CodeSpot spot = {});

}  // namespace vorlane
