// A long working session in one process, meant to run under AddressSanitizer
// and UndefinedBehaviorSanitizer: every cycle makes a resource through the
// main window and its property dialog (driven headless), edits, renames and
// deletes resources through the dialogs and their decision functions, saves
// with the Save command and opens the project again with the Open command.
//
//   vorlane_soak [CYCLES [RSS_MARGIN_MB]]     (10,000 cycles)
//
// The resident size is reported after cycle 100, every 1000 cycles and at the
// end, with the live heap under the sanitizer. The run fails when a cycle
// goes wrong (an unexpected message, a dialog without its answer, a project
// that reads back different from what was saved), when the resident size grew
// by more than the margin after cycle 100, or when the live heap on an empty
// project grew by more than 1 MB; a leak check at exit (LeakSanitizer) fails
// the process on its own.
//
// The margin is 16 MB without the sanitizer. With it, 128 MB: its run-time
// keeps records of its own that grow by some 7 MB every 1000 cycles (with
// or without its quarantine of freed blocks) while the program's heap stays
// flat, so there the heap is the measure of what the program keeps.
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of live heap bytes.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#define VORLANE_HEAP_STATS 1

// Freed blocks held back to catch late uses (256 MB by default) make the
// resident size swing by tens of megabytes from one cycle to the next;
// 32 MB still covers several cycles. ASAN_OPTIONS overrides it.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=32"; }
#endif

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/browser_actions.h"
#include "app/browser_model.h"
#include "app/main_commands.h"
#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/registered_dialogs.h"
#include "code/ui/code_editor.h"
#include "code/ui/code_window.h"
#include "editors/background_edits.h"
#include "editors/font_edits.h"
#include "editors/function_edits.h"
#include "editors/object_edits.h"
#include "editors/sound_edits.h"
#include "editors/sprite_edits.h"
#include "editors/ui/background_dialog.h"
#include "editors/ui/editor_dialogs.h"
#include "editors/ui/font_dialog.h"
#include "editors/ui/function_dialog.h"
#include "editors/ui/object_dialog.h"
#include "editors/ui/sound_dialog.h"
#include "editors/ui/sprite_dialog.h"
#include "gui/file_util.h"
#include "gui/ui/controls.h"
#include "gui/ui/scripted_dialogs.h"
#include "project/edit_stack.h"
#include "project/project_file.h"
#include "project/project_paths.h"
#include "project/rename.h"
#include "scene/instance_edits.h"
#include "scene/scene_settings.h"
#include "scene/ui/scene_editor.h"

namespace vorlane {
namespace {

namespace fs = std::filesystem;

constexpr int kMostOfAKind = 5;  // beyond this the oldest goes, so the project stays small
constexpr const char* kProjectNames[] = {"soak_a", "soak_b"};

long ResidentKb() {
  long pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// The bytes the program holds on the heap, where the sanitizer counts them
// (freed blocks it keeps back to catch late uses count in the resident size
// only); -1 elsewhere.
long HeapKb() {
#if VORLANE_HEAP_STATS
  return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  return -1;
#endif
}

const char* Prefix(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Sprite: return "spr_";
    case ResourceKind::Sound: return "snd_";
    case ResourceKind::Music: return "mus_";
    case ResourceKind::Background: return "bg_";
    case ResourceKind::Font: return "fnt_";
    case ResourceKind::Object: return "obj_";
    case ResourceKind::Scene: return "scn_";
    case ResourceKind::Function: return "fn_";
  }
  return "";
}

Image Picture(int width, int height, int shade) {
  Image image = Image::Transparent(width, height);
  image.FillRect(1, 1, width - 2, height - 2,
                 Color{std::uint8_t(shade), std::uint8_t(255 - shade), 80, 255});
  return image;
}

class Soak {
 public:
  Soak(MainWindow& window, ScriptedDialogs& dialogs)
      : window_(window), session_(window.session()), dialogs_(dialogs) {}

  // One cycle; false, after saying why, when something went wrong.
  bool Cycle(int cycle) {
    random_.seed(static_cast<unsigned>(cycle));
    cycle_ = cycle;
    const ResourceKind kind = kResourceKinds[cycle % 8];
    Create(kind);
    EditWithDecisions(kResourceKinds[Pick(8)]);
    ChangeFrames();
    EditWithHistory();
    Trim();
    if (cycle % 3 == 0) EditWithDialog(kResourceKinds[Pick(8)]);
    SaveAndOpen(cycle);
    if (cycle % 100 == 0) Command(Command::New);
    // Deferred deletions and timers, as the event loop would run them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return Check();
  }

 private:
  Project& project() { return session_.project; }
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  void Fail(const std::string& what) { failures_.push_back(what); }

  // A name of the kind's small pool that no other record uses, so that the
  // files on disk are reused rather than piling up.
  std::string FreeName(ResourceKind kind, int index) {
    for (int tries = 0; tries < 64; ++tries) {
      const std::string name = Prefix(kind) + std::string(1, char('a' + Pick(12)));
      if (CheckResourceName(project(), kind, name, index).empty()) return name;
    }
    return Prefix(kind) + std::to_string(cycle_);
  }
  // A name another record of the kind has, "" when there is none.
  std::string TakenName(ResourceKind kind, int index) {
    const int count = ResourceCount(project(), kind);
    for (int i = 0; i < count; ++i)
      if (i != index && (kind != ResourceKind::Object || project().objects[i].prototype == 1))
        return ResourceName(project(), kind, i);
    return "";
  }
  // The names of the kind's records (objects: not the instances).
  std::vector<std::string> Names(ResourceKind kind) {
    std::vector<std::string> names;
    const int count = ResourceCount(project(), kind);
    for (int i = 0; i < count; ++i)
      if (kind != ResourceKind::Object || project().objects[i].prototype == 1)
        names.push_back(ResourceName(project(), kind, i));
    return names;
  }

  void Command(vorlane::Command command) { window_.RunCommand(command); }

  // Types `name` into the dialog's name field and presses Done; a name
  // another record has is tried first now and then, and refused.
  void Rename(ResourceDialog& dialog, ResourceKind kind, int index) {
    if (const std::string taken = TakenName(kind, index); !taken.empty() && Pick(4) == 0) {
      dialog.name_field()->setText(QString::fromStdString(taken));
      dialog.done_button()->click();
      if (dialog.result() == QDialog::Accepted)
        Fail("a taken " + std::string(KindWord(kind)) + " name was accepted");
    }
    dialog.name_field()->setText(QString::fromStdString(FreeName(kind, index)));
  }

  // What the user does in the property dialog of record `index` of `kind`,
  // ending with Done (or, with `remove`, Delete and Yes).
  std::function<void(QDialog&)> Driver(ResourceKind kind, int index, bool remove) {
    return [this, kind, index, remove](QDialog& window) {
      if (remove) {
        dialogs_.AnswerYes();
        static_cast<ResourceDialog&>(window).delete_button()->click();
        return;
      }
      switch (kind) {
        case ResourceKind::Sprite: {
          auto& dialog = static_cast<SpriteDialog&>(window);
          dialog.origin_x()->setText(QString::number(Pick(16)));
          dialog.shape_list()->setCurrentIndex(Pick(dialog.shape_list()->count()));
          break;
        }
        case ResourceKind::Sound:
        case ResourceKind::Music: {
          auto& dialog = static_cast<SoundDialog&>(window);
          dialogs_.PickFile(Pick(2) ? "media/boom.wav" : "media/hit.wav");
          dialog.set_button(SoundSource::Wav)->click();
          dialogs_.PickFile("media/boom.ogg");
          dialog.set_button(SoundSource::Ogg)->click();
          if (Pick(3) == 0) {
            dialogs_.AnswerYes();
            dialog.unset_button(SoundSource::Ogg)->click();
          }
          break;
        }
        case ResourceKind::Background: {
          auto& dialog = static_cast<BackgroundDialog&>(window);
          dialogs_.PickFile(Pick(2) ? "media/tiles.png" : "media/sky.png");
          dialog.select_button()->click();
          dialog.tile_box()->setChecked(Pick(2) == 0);
          break;
        }
        case ResourceKind::Font: {
          auto& dialog = static_cast<FontDialog&>(window);
          dialog.family_field()->setText(Pick(2) ? "Georgia" : "Courier");
          dialog.size_field()->setText(QString::number(8 + Pick(20)));
          break;
        }
        case ResourceKind::Object: {
          auto& dialog = static_cast<ObjectDialog&>(window);
          QComboBox* sprites = dialog.sprite_list();
          sprites->setCurrentIndex(Pick(sprites->count()));
          dialog.depth_field()->setText(QString::number(Pick(10)));
          // A new event, with its code typed in the code window.
          dialogs_.Drive([this](QDialog& code) {
            auto& editor = static_cast<CodeWindow&>(code);
            editor.editor()->SetEditorText("x += " + std::to_string(Pick(9)) + ";\n", true);
            editor.ok_button()->click();
          });
          dialog.event_kind_list()->setCurrentIndex(Pick(dialog.event_kind_list()->count()));
          dialog.add_event_button()->click();
          break;
        }
        case ResourceKind::Function: {
          auto& dialog = static_cast<FunctionDialog&>(window);
          dialog.params_field()->setText("a, b");
          dialog.editor()->SetEditorText("return a + b * " + std::to_string(Pick(9)) + ";\n", true);
          break;
        }
        case ResourceKind::Scene: {
          auto& editor = static_cast<SceneEditor&>(window);
          editor.name_field()->setText(QString::fromStdString(FreeName(kind, index)));
          editor.done_button()->click();
          return;
        }
      }
      auto& dialog = static_cast<ResourceDialog&>(window);
      Rename(dialog, kind, index);
      dialog.done_button()->click();
      if (dialog.result() != QDialog::Accepted)
        Fail(std::string(KindWord(kind)) + " dialog: Done refused");
    };
  }

  // Add new: the main window makes the record and opens its editor.
  void Create(ResourceKind kind) {
    const int index = ResourceCount(project(), kind);
    dialogs_.Drive(Driver(kind, index, false));
    Command(InfoOf(kind).add_command);
    if (ResourceCount(project(), kind) != index + 1) Fail(std::string("no new ") + KindWord(kind));
    if (kind == ResourceKind::Scene) {
      const std::string scene = project().scenes.back().name;
      for (const std::string& object : Names(ResourceKind::Object))
        PlaceInstance(project(), scene, object, Pick(600), Pick(400));
    }
  }

  // The registered editor of an existing record, as Edit in the browser
  // opens it; now and then its Delete button is used instead of Done.
  void EditWithDialog(ResourceKind kind) {
    const std::vector<std::string> names = Names(kind);
    if (names.empty()) return;
    const std::string name = names[Pick(static_cast<int>(names.size()))];
    const int index = ResourceIndex(project(), kind, name);
    const bool remove = kind != ResourceKind::Scene && Pick(4) == 0;
    dialogs_.Drive(Driver(kind, index, remove));
    QWidget* parent = &window_;
    Session& s = session_;
    switch (kind) {
      case ResourceKind::Sprite: EditSprite(parent, s.project, name); break;
      case ResourceKind::Sound: EditSound(parent, s.project, name); break;
      case ResourceKind::Music: EditMusic(parent, s.project, name); break;
      case ResourceKind::Background: EditBackground(parent, s.project, name); break;
      case ResourceKind::Font: EditFont(parent, s.project, name); break;
      case ResourceKind::Object: EditObject(parent, s.project, s.prefs, s.keywords, name); break;
      case ResourceKind::Function:
        EditFunction(parent, s.project, s.prefs, s.keywords, name);
        break;
      case ResourceKind::Scene:
        OpenSceneEditor(parent, s.project, s.prefs, s.keywords, name);
        break;
    }
    if (remove && ResourceIndex(project(), kind, name) >= 0) Fail("Delete left the record");
    window_.RefreshBrowser();
  }

  // "Done" of each kind through its decision function, with a new name.
  void EditWithDecisions(ResourceKind kind) {
    const std::vector<std::string> names = Names(kind);
    if (names.empty()) return;
    const int index = ResourceIndex(project(), kind, names[Pick(static_cast<int>(names.size()))]);
    const std::string name = FreeName(kind, index);
    std::vector<std::string> messages;
    switch (kind) {
      case ResourceKind::Sprite:
        if (std::string message = StoreSpriteName(project(), index, name); !message.empty())
          messages.push_back(message);
        break;
      case ResourceKind::Sound:
      case ResourceKind::Music: {
        const Sound& record =
            kind == ResourceKind::Sound ? project().sounds[index] : project().musics[index];
        messages = StoreSound(project(), kind, index, name, PendingOf(record));
        break;
      }
      case ResourceKind::Background: {
        const Background& b = project().backgrounds[index];
        messages = StoreBackground(project(), index,
                                   {name, b.file, Pick(2) == 0, "16", "16", "0", "0", "1", "1"});
        break;
      }
      case ResourceKind::Font:
        messages =
            StoreFont(project(), index, {name, "Arial", std::to_string(6 + Pick(30)), true, false});
        break;
      case ResourceKind::Object: {
        const std::vector<std::string> sprites = Names(ResourceKind::Sprite);
        const std::vector<std::string> objects = Names(ResourceKind::Object);
        ObjectFields fields{.name = name, .depth = std::to_string(Pick(5))};
        if (!sprites.empty()) fields.sprite = sprites[Pick(static_cast<int>(sprites.size()))];
        // A parent only one level deep, so no object becomes its own ancestor.
        const std::string self = project().objects[index].name;
        const std::string parent = objects[Pick(static_cast<int>(objects.size()))];
        const bool has_children =
            std::any_of(project().objects.begin(), project().objects.end(),
                        [&](const GameObject& o) { return o.prototype == 1 && o.parent == self; });
        if (Pick(2) && parent != self && !has_children &&
            FindObject(project(), parent)->parent.empty())
          fields.parent = parent;
        if (std::string message = StoreObject(project(), index, fields); !message.empty())
          messages.push_back(message);
        break;
      }
      case ResourceKind::Scene: {
        const Scene& scene = project().scenes[index];
        messages = StoreSceneSettings(
            project(), index,
            {name, std::to_string(320 + Pick(640)), "480", "320", "240", scene.viewportobject, "40",
             "40", std::to_string(2 + Pick(58)), scene.background});
        break;
      }
      case ResourceKind::Function:
        messages = StoreFunction(project(), index, {name, "x", "return x;\n"});
        break;
    }
    for (const std::string& message : messages) Fail(std::string(KindWord(kind)) + ": " + message);
  }

  // A sprite's frames replaced by one to three new pictures.
  void ChangeFrames() {
    const std::vector<std::string> sprites = Names(ResourceKind::Sprite);
    if (sprites.empty()) return;
    const std::string sprite = sprites[Pick(static_cast<int>(sprites.size()))];
    std::erase_if(project().frames, [&](const Frame& f) { return f.sprite == sprite; });
    const int side = 8 + 8 * Pick(4);
    for (int f = 0, n = 1 + Pick(3); f < n; ++f)
      project().frames.push_back(
          {std::to_string(f), sprite, ShareImage(Picture(side, side, Pick(256)))});
    SetModified(project(), 1);
  }

  // An editor's history: a step, undone and done again.
  void EditWithHistory() {
    EditStack history(project());
    history.Apply("Move", [this](Project& p) {
      p.settings.title = "soak " + std::to_string(cycle_);
      for (GameObject& o : p.objects)
        if (o.prototype == 0) o.x += 1 + Pick(5);
    });
    history.Apply("Comments", [](Project& p) { p.settings.variables += "var v;\n"; });
    if (!history.Undo() || !history.Undo() || !history.Redo()) Fail("undo / redo refused");
    if (project().settings.variables.size() > 200) project().settings.variables.clear();
  }

  // The oldest records go (popup Delete), so the project stays small.
  void Trim() {
    for (const ResourceKind kind : kResourceKinds) {
      std::vector<std::string> names = Names(kind);
      for (size_t i = 0; i + kMostOfAKind < names.size(); ++i)
        if (!ApplyPopupAction(project(), kind, PopupAction::Delete, names[i]))
          Fail(std::string("popup Delete refused a ") + KindWord(kind));
    }
  }

  // Save (or Save as under the other name), then Open of what was saved: the
  // project read back must give the same file.
  void SaveAndOpen(int cycle) {
    const std::string current = project().projectname;
    const bool save_as = current.empty() || cycle % 7 == 0;
    const std::string name = save_as ? kProjectNames[Pick(2)] : current;
    if (save_as) {
      dialogs_.Drive([name](QDialog& dialog) {
        dialog.findChild<QLineEdit*>()->setText(QString::fromStdString(name));
        ClickButton(dialog, "OK");
      });
    }
    Command(save_as ? Command::SaveAs : Command::Save);
    if (project().modified != 0 || project().projectname != name) {
      Fail("the project was not saved as " + name);
      return;
    }
    const std::string xml = PathsOf(name).xml;
    std::string saved;
    if (!ReadFile(xml, &saved, kMaxProjectFileBytes) || saved != ProjectXml(project()))
      Fail("the saved file is not the project");

    dialogs_.Drive([name](QDialog& dialog) {
      auto* list = dialog.findChild<QListWidget*>();
      const auto found = list->findItems(QString::fromStdString(name), Qt::MatchExactly);
      if (!found.empty()) list->setCurrentItem(found.front());
      ClickButton(dialog, "Open");
    });
    Command(Command::Open);
    if (project().projectname != name || ProjectXml(project()) != saved)
      Fail("the project opened differs from the one saved");
  }

  // Each message the cycle showed must be one it asked for.
  bool Check() {
    for (const std::string& box : dialogs_.Boxes()) {
      const bool expected = box == "Warning: There is no scene added." ||
                            box.find("' already exists") != std::string::npos ||
                            box.starts_with("Confirm: ");
      if (!expected) Fail("message: " + box);
    }
    for (const std::string& problem : dialogs_.problems()) Fail("dialogs: " + problem);
    dialogs_.Clear();
    if (std::getenv("VORLANE_SOAK_TRACE")) {
      std::string counts;
      for (const ResourceKind kind : kResourceKinds)
        counts += " " + std::to_string(Names(kind).size()) + " " + KindWord(kind) + "s";
      std::printf(
          "cycle %d: %s,%s, %zu frames, %zu instances, %zu scripts; RSS %ld kB, heap %ld kB\n",
          cycle_, project().projectname.c_str(), counts.c_str(), project().frames.size(),
          project().objects.size() - Names(ResourceKind::Object).size(), project().scripts.size(),
          ResidentKb(), HeapKb());
    }
    const bool ok = failures_.empty();
    for (const std::string& failure : failures_)
      std::fprintf(stderr, "cycle %d: %s\n", cycle_, failure.c_str());
    failures_.clear();
    return ok;
  }

  MainWindow& window_;
  Session& session_;
  ScriptedDialogs& dialogs_;
  std::mt19937 random_;
  int cycle_ = 0;
  std::vector<std::string> failures_;
};

// The program folder: the supplied files and the media the dialogs pick.
void MakeProgramFolder() {
  for (const char* file : {"export.js", "keywords.dat"})
    fs::copy_file(fs::path(VORLANE_RUNTIME_DIR) / file, file);
  fs::create_directories("media");
  SavePng(Picture(64, 64, 40), "media/tiles.png");
  SavePng(Picture(96, 48, 200), "media/sky.png");
  const std::string wav = "RIFF\x24\0\0\0WAVEfmt " + std::string(28, '\1');
  WriteFileAtomic("media/boom.wav", wav);
  WriteFileAtomic("media/hit.wav", wav + "x");
  WriteFileAtomic("media/boom.ogg", "OggS" + std::string(60, '\2'));
}

}  // namespace
}  // namespace vorlane

int main(int argc, char** argv) {
  using namespace vorlane;
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 10000;
#if VORLANE_HEAP_STATS
  constexpr long kDefaultMarginMb = 128;
#else
  constexpr long kDefaultMarginMb = 16;
#endif
  const long margin_kb = (argc > 2 ? std::atol(argv[2]) : kDefaultMarginMb) * 1024;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  std::string folder = (fs::temp_directory_path() / "vorlane-soak-XXXXXX").string();
  if (!::mkdtemp(folder.data())) return 2;
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  MakeProgramFolder();

  int failed = 0;
  // Every hundredth cycle ends with New, on an empty project: the heap is
  // compared there.
  long rss_100 = 0, rss_largest = 0, rss_last = 0, heap_100 = 0, heap_largest = 0;
  {
    QApplication qt(argc, argv);
    ScriptedDialogs dialogs;
    Application program;
    StartOptions options;
    options.splash_pause = false;
    options.show_windows = false;
    options.plug_in = [](MainWindow& window) {
      RegisterDialogs(window);
      window.SetCommandHandler(Command::CheckVersionAtStartup, [] {});  // no network
    };
    program.Start(options);
    MainWindow& window = *program.window();
    window.SetLauncher([](const std::string&, const std::string&) { return true; });
    window.SetPathList("");
    window.SetExitAction([] {});
    dialogs.Clear();

    Soak soak(window, dialogs);
    for (int cycle = 1; cycle <= cycles; ++cycle) {
      if (!soak.Cycle(cycle)) ++failed;
      const long rss = ResidentKb();
      const long heap = HeapKb();
      if (cycle == 100) rss_100 = rss, heap_100 = heap;
      if (cycle > 100) rss_largest = std::max(rss_largest, rss);
      if (cycle > 100 && cycle % 100 == 0) heap_largest = std::max(heap_largest, heap);
      rss_last = rss;
      if (cycle == 100 || cycle % 1000 == 0 || cycle == cycles) {
        std::printf("cycle %d: RSS %ld kB, heap %ld kB, %d failed\n", cycle, rss, heap, failed);
        std::fflush(stdout);
      }
    }
    window.session().project.modified = 0;  // leaves without asking
  }
  fs::current_path(previous);
  fs::remove_all(folder);

  std::printf(
      "%d cycles, %d failed; RSS %ld kB after cycle 100, %ld kB at the end, largest %ld kB\n",
      cycles, failed, rss_100, rss_last, rss_largest);
  if (cycles > 100 && rss_largest - rss_100 > margin_kb) {
    std::printf("RSS grew by %ld kB after cycle 100, more than %ld kB\n", rss_largest - rss_100,
                margin_kb);
    return 1;
  }
  // What the program holds on an empty project must not grow at all, but
  // for a few blocks the toolkit keeps as it goes.
  if (heap_100 >= 0 && cycles >= 200 && heap_largest - heap_100 > 1024) {
    std::printf("the heap grew from %ld kB to %ld kB after cycle 100\n", heap_100, heap_largest);
    return 1;
  }
  return failed ? 1 : 0;
}
