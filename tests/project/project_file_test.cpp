#include "project/project_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <sstream>

#include "gui/file_util.h"
#include "project/edit_stack.h"
#include "project/record_fields.h"
#include "project/thumbnails.h"
#include "support/golden.h"
#include "support/random_text.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::SampleProject;
using test::WriteAll;
namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Every record's attributes in their order, and an empty project's lists.
TEST(ProjectXmlTest, TheFileIsExact) {
  test::ExpectGolden("sample.xml", ProjectXml(SampleProject()));
  test::ExpectGolden("empty.xml", ProjectXml(Project{}));
}

// Calls visit(list) for every kind of record.
template <typename Visit>
void ForEachList(Project& p, Visit visit) {
  std::apply([&](auto&... x) { (visit(x), ...); }, RecordLists(p));
}

// Calls visit(list of a, list of b) for every kind of record.
template <typename Visit>
void ForEachList(Project& a, Project& b, Visit visit) {
  std::apply(
      [&](auto&... x) { std::apply([&](auto&... y) { (visit(x, y), ...); }, RecordLists(b)); },
      RecordLists(a));
}

template <typename Record>
std::string Value(const Record& r, const Field<Record>& f) {
  return f.number ? std::to_string(r.*f.number) : r.*f.text;
}

// The records `read` hold what `written` do, but for the fields that files
// of `version` do not have, which are zero or empty. Each name is used once
// in the table, and a record has at most one text.
template <typename Record>
void ExpectRead(const std::vector<Record>& read, const std::vector<Record>& written, int version) {
  ASSERT_EQ(read.size(), written.size());
  std::set<std::string_view> names;
  int texts = 0;
  for (const Field<Record>& f : FieldsOf<Record>()) {
    EXPECT_TRUE(!f.name.empty() && names.insert(f.name).second) << f.name;
    texts += f.as == StoredAs::kText;
    for (size_t i = 0; i < read.size(); ++i) {
      const Record& expected = f.since > version ? BlankRecord<Record>() : written[i];
      EXPECT_EQ(Value(read[i], f), Value(expected, f)) << f.name;
    }
  }
  if constexpr (!std::is_same_v<Record, ProjectSettings>) {
    EXPECT_LE(texts, 1);
  }
}

// Every stored field of every kind of record, and of the settings, set to a
// value of its own, reads back, also from a file of the version before.
TEST(ProjectXmlTest, EveryStoredFieldReadsBack) {
  Project p, q, older;
  int n = 0;
  const auto fill = [&n](auto& r) {
    for (const auto& f : FieldsOf<std::remove_cvref_t<decltype(r)>>()) {
      if (f.number)
        r.*f.number = ++n % 2 ? -1000 - n : 1000 + n;
      else
        r.*f.text = std::string(f.name) + " " + std::to_string(++n);
    }
  };
  fill(p.settings);
  ForEachList(p, [&](auto& list) { fill(list.emplace_back()), fill(list.emplace_back()); });
  std::string xml = ProjectXml(p), error;
  ProjectHeader header;
  ASSERT_TRUE(ParseProjectXml(xml, q, &header, &error)) << error;
  const std::string now = "version=\"" + std::to_string(kVersion) + "\"";
  xml.replace(xml.find(now), now.size(), "version=\"" + std::to_string(kVersion - 1) + "\"");
  ASSERT_TRUE(ParseProjectXml(xml, older, &header, &error)) << error;
  ExpectRead(std::vector{q.settings}, std::vector{p.settings}, kVersion);
  ForEachList(p, q, [](auto& written, auto& read) { ExpectRead(read, written, kVersion); });
  ForEachList(p, older, [](auto& written, auto& read) {
    if (!read.empty()) ExpectRead(read, written, kVersion - 1);  // older files lack some lists
  });
}

// Every text the project file stores: the media folders, the settings', the
// records'.
std::vector<std::string*> TextFields(Project& p) {
  std::vector<std::string*> f = {&p.imgfolder, &p.audfolder};
  const auto add = [&f](auto& r) {
    for (const auto& field : FieldsOf<std::remove_cvref_t<decltype(r)>>())
      if (field.text) f.push_back(&(r.*field.text));
  };
  add(p.settings);
  ForEachList(p, [&add](auto& list) {
    for (auto& r : list) add(r);
  });
  return f;
}

// Any text a user can enter gives a file that reads back: what XML can hold
// exactly, the rest replaced or dropped (XmlKept).
TEST(ProjectXmlTest, RandomTextsInEveryFieldReadBack) {
  std::mt19937 random(129);
  for (int round = 0; round < 300; ++round) {
    Project p = SampleProject(), q;
    for (std::string* field : TextFields(p)) *field = test::RandomBytes(random);
    ProjectHeader header;
    std::string error;
    ASSERT_TRUE(ParseProjectXml(ProjectXml(p), q, &header, &error)) << error;
    q.imgfolder = header.imgfolder;
    q.audfolder = header.audfolder;
    const auto written = TextFields(p), read = TextFields(q);
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i)
      ASSERT_EQ(*read[i], test::XmlKept(*written[i])) << "round " << round << ", field " << i;
  }
}

class ProjectFileTest : public test::InTempDir {
 protected:
  // The sample, changed by `change`, saved from a working folder that holds
  // its media.
  Project SavedSample(const std::function<void(Project&)>& change = [](Project&) {}) {
    Project p = SampleProject();
    p.tempfolder = temp;
    MakeDirectory(temp);
    test::WriteSampleMedia(temp);
    change(p);
    FileReport report;
    EXPECT_TRUE(WriteProject(p, &report)) << report.error;
    return p;
  }
  // Opens `name` into a fresh, empty working folder.
  Project Opened(const std::string& name = "demo", FileReport* report = nullptr) {
    fs::remove_all(temp);
    MakeDirectory(temp);
    Project q;
    q.tempfolder = temp;
    EXPECT_TRUE(ReadProject(q, name, report)) << name;
    return q;
  }
  // Lays the files of an open case (below) over the program folder.
  static void LayOver(const std::string& name) {
    const fs::path in = fs::path(VORLANE_GOLDEN_DIR) / "open" / name / "in";
    if (fs::exists(in))
      fs::copy(in, ".", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
  const std::string temp = "_temp_000000";
};

// What opening gave, as text: the error, or the warning, the records as they
// would be saved again, each picture's size ("-" when not loaded, "bare" for
// a card without its picture) with a fingerprint of its pixels, and the
// files copied into the working folder.
std::string Outcome(const Project& q, const FileReport& report, bool opened) {
  if (!opened) return "error: " + report.error + "\n";
  const auto size = [](const ImageRef& image) {
    if (!image || image->is_null()) return std::string("-");
    std::ostringstream text;
    text << image->width() << " x " << image->height() << " #" << std::hex << Fingerprint(*image);
    return text.str();
  };
  std::string out = "warning: " + WarningText(report) + "\nfile: " + ProjectXml(q) + "\n";
  for (const Frame& f : q.frames)
    out += "frame " + f.sprite + "_" + f.file + ": " + size(f.image) + "\n";
  for (const Background& b : q.backgrounds) {
    const ImageRef card = BackgroundCardOf(q, b);
    const bool bare = card && *card == *StockCardPicture();
    out += "card " + b.name + ": " + (bare ? "bare" : size(card)) + "\n";
  }
  std::vector<std::string> copies = ListFolder(q.tempfolder);
  std::sort(copies.begin(), copies.end());
  for (const std::string& file : copies)
    out += "working copy " + file + ": " + std::to_string(FileSize(q.tempfolder + "/" + file)) +
           " bytes\n";
  return out;
}

// Each folder of golden/open holds files laid over the saved sample (in/),
// the name opened, the preferences' media folders and the picture limits
// when they are not the usual ones, and what opening gives (outcome.txt):
// damaged, cut and newer files, media names and folders that leave the
// project (a folder that would gives way to the preferences' one, checked
// the same way, then to the usual one), pictures larger than can be
// edited or past the budget of all pictures together (frames, then each
// tile set while its card is made), counted from the size their headers
// declare before anything is decoded.
// A failed open changes nothing.
TEST_F(ProjectFileTest, OpenCases) {
  const fs::path cases = fs::path(VORLANE_GOLDEN_DIR) / "open";
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(cases)) names.push_back(entry.path().filename());
  ASSERT_GT(names.size(), 20u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    for (const std::string& entry : ListFolder(".")) fs::remove_all(entry);
    SavedSample();
    LayOver(name);
    fs::remove_all(temp);
    MakeDirectory(temp);
    PictureLimits limits;
    std::istringstream(ReadAll(cases / name / "limits.txt")) >> limits.max_side >>
        limits.max_total_pixels;
    std::string opened_name = "demo";
    std::istringstream(ReadAll(cases / name / "name.txt")) >> opened_name;
    Project q = SampleProject();
    q.tempfolder = temp;
    std::istringstream(ReadAll(cases / name / "folders.txt")) >> q.imgfolder >> q.audfolder;
    FileReport report;
    const bool opened = ReadProject(q, opened_name, &report, limits);
    test::ExpectGolden("open/" + name + "/outcome.txt", Outcome(q, report, opened));
    if (!opened) {
      EXPECT_EQ(ProjectXml(q), ProjectXml(SampleProject()));
      EXPECT_TRUE(fs::is_empty(temp));
    }
  }
}

// Saving writes the file and the media beside it, nothing else; opening
// gives back the records (the "as-saved" open case shows the pictures
// rebuilt), and saving what was opened the same bytes. An older layout
// converts; media go to and come from the folders the file names.
TEST_F(ProjectFileTest, SaveThenOpenGivesTheSameBytes) {
  Project p = SavedSample([&](Project& p) {
    fs::remove(temp + "/theme.mp3");  // a missing media file is skipped quietly
    p.modified = 1;
  });
  EXPECT_EQ(p.modified, 0);
  const std::string saved = ReadAll("Projects/demo.xml");
  EXPECT_EQ(saved, ProjectXml(p));
  EXPECT_EQ(ReadAll("Projects/demo/aud/jump.wav"), "wav bytes");
  EXPECT_FALSE(FileExists("Projects/demo/aud/theme.mp3"));
  EXPECT_EQ(LoadImageFile("Projects/demo/img/tiles.png"), test::SampleTileSet());
  EXPECT_EQ(ListFolder("Projects").size(), 2u);  // no temporary files left behind
  Project q = Opened();
  EXPECT_EQ(q.projectname, "demo");
  EXPECT_TRUE(q.cards.sprites.count("spr_hero") && SceneCardOf(q, "level"));
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(ReadAll("Projects/demo.xml"), saved);
  EXPECT_EQ(ReadProjectVersion("demo"), 129);
  EXPECT_EQ(ReadProjectVersion("missing"), 0);
  LayOver("older-layout");
  ASSERT_TRUE(WriteProject(q = Opened("old")));
  EXPECT_TRUE(IsRegularFile("Projects/old/img/spr_hero_0.png"));
  EXPECT_EQ(ReadProjectVersion("old"), 129);
  SavedSample([](Project& p) { p.imgfolder = "pics", p.audfolder = "sfx"; });
  q = Opened();
  EXPECT_EQ(q.imgfolder + q.audfolder, "picssfx");
  EXPECT_EQ(*q.frames[0].image, *p.frames[0].image);
  EXPECT_EQ(ReadAll(temp + "/jump.wav"), "wav bytes");
}

// Saving a project whose names leave their folders writes the rest and
// touches nothing outside. A project name that is not a plain file name, a
// media folder that is not a plain folder name or cannot be made, stop the
// save before the project file is written.
TEST_F(ProjectFileTest, NamesThatLeaveTheirFolderAreSkippedOrRefused) {
  LayOver("names-leaving-their-folder");  // what opening it gives is an open case
  FileReport report;
  Project q = Opened("evil", &report);
  q.frames[0].image = ShareImage(Image::Opaque(1, 1));
  WriteAll(temp + "/secret.wav", "from temp");
  ASSERT_TRUE(WriteProject(q, &report)) << report.error;
  EXPECT_FALSE(report.skipped.empty());
  EXPECT_EQ(ReadAll("secret.wav"), "secret");
  EXPECT_FALSE(FileExists("x_0.png"));
  EXPECT_EQ(ReadAll("Projects/evil/aud/ok.wav"), "fine");
  const std::string saved = ReadAll("Projects/evil.xml");
  WriteAll("Projects/evil/blocked", "x");
  const struct {
    const char *project, *img, *aud, *why;
  } cases[] = {
      {"../outside", "img", "aud", "cannot be used as a file name"},
      {"", "img", "aud", "cannot be used as a file name"},
      {"..", "img", "aud", "cannot be used as a file name"},
      {"evil", "img", "../..", "is not a plain folder name"},
      {"evil", "..", "aud", "is not a plain folder name"},
      {"evil", "img", "blocked", "could not be created"},
  };
  for (const auto& c : cases) {
    q.projectname = c.project, q.imgfolder = c.img, q.audfolder = c.aud;
    EXPECT_FALSE(WriteProject(q, &report)) << c.why;
    EXPECT_TRUE(Has(report.error, c.why)) << report.error;
  }
  EXPECT_EQ(ReadAll("Projects/evil.xml"), saved);
}

ImageRef Plotted(const Image& image, Color color) {
  Image changed = image;
  changed.Plot(1, 1, color);
  return ShareImage(std::move(changed));
}

// Changed frames are written again, and a frame file deleted behind the
// program's back, also straight after opening; frames sharing a number get
// files of their own.
TEST_F(ProjectFileTest, SavingAgainWritesWhatChanged) {
  Project p = SavedSample();
  const std::string first = "Projects/demo/img/spr_hero_0.png";
  p.frames[1].image = Plotted(*p.frames[1].image, Color{9, 9, 9, 255});
  fs::remove(first);
  ASSERT_TRUE(WriteProject(p));
  EXPECT_EQ(LoadImageFile("Projects/demo/img/spr_hero_1.png"), *p.frames[1].image);
  EXPECT_EQ(LoadImageFile(first), *p.frames[0].image);
  Project q = Opened();
  q.frames[0].image = Plotted(*q.frames[0].image, Color{200, 0, 0, 255});
  q.frames.push_back(q.frames[0]);
  q.frames.back().image = Plotted(*q.frames[0].image, Color{0, 200, 0, 255});
  FileReport report;
  ASSERT_TRUE(WriteProject(q, &report));
  EXPECT_EQ(LoadImageFile(first), *q.frames[0].image);
  EXPECT_EQ(LoadImageFile("Projects/demo/img/spr_hero_2.png"), *q.frames.back().image);
  EXPECT_TRUE(Has(WarningText(report), "spr_hero frame 0 is now frame 2"));
}

// Pictures not loaded are never lost: their files are saved unchanged, under
// the same name, a new project's or a renamed sprite's, also for frames
// brought back by undo.
TEST_F(ProjectFileTest, FramesNotLoadedKeepTheirFiles) {
  SavedSample();
  LayOver("frame-larger-than-can-be-edited");
  const std::string bytes = ReadAll("Projects/demo/img/spr_hero_1.png");
  Project q = Opened();
  ASSERT_FALSE(HasPicture(q.frames[1]));
  EditStack stack(q);
  stack.Apply("Delete", [](Project& p) { DeleteSprite(p, "spr_hero"); });
  ASSERT_TRUE(stack.Undo());
  q.projectname = "copy";
  q.sprites[0].name = q.frames[0].sprite = q.frames[1].sprite = "spr_new";
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(ReadAll("Projects/copy/img/spr_new_1.png"), bytes);
  LayOver("pictures-that-do-not-decode");
  ASSERT_TRUE(WriteProject(q = Opened()));
  EXPECT_EQ(ReadAll("Projects/demo/img/spr_hero_1.png"), "not a picture");
}

// A FIFO or a device among the project's files is reported, never waited
// on or read; a working copy that cannot be copied fails the save, named,
// and leaves the saved one.
TEST_F(ProjectFileTest, SpecialFilesAreReportedAndNotRead) {
  SavedSample();
  const std::string frame = "Projects/demo/img/spr_hero_1.png",
                    sound = "Projects/demo/aud/jump.wav";
  for (const std::string& file : {frame, sound}) fs::remove(file);
  fs::create_symlink("/dev/zero", frame);
  ASSERT_EQ(::mkfifo(sound.c_str(), 0600), 0);
  FileReport report;
  Project q = Opened("demo", &report);
  const std::string text = WarningText(report);
  EXPECT_TRUE(Has(text, "\"" + frame +
                            "\" was not read: it leads outside the program folder, "
                            "to \"/dev/zero\"."))
      << text;
  EXPECT_TRUE(Has(text, "\"" + sound + "\" was not read: it is not a regular file.")) << text;
  EXPECT_FALSE(HasPicture(q.frames[1]));
  EXPECT_FALSE(FileExists(temp + "/jump.wav"));
  fs::remove(temp + "/jump.ogg");
  ASSERT_EQ(::mkfifo((temp + "/jump.ogg").c_str(), 0600), 0);
  EXPECT_FALSE(WriteProject(q, &report));
  EXPECT_TRUE(Has(report.error, "could not be written: Projects/demo/aud/jump.ogg.\n\"" + temp +
                                    "/jump.ogg\" was not read: it is not a regular file."))
      << report.error;
  EXPECT_EQ(ReadAll("Projects/demo/aud/jump.ogg"), "ogg bytes");
}

}  // namespace
}  // namespace vorlane
