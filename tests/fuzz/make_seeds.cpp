// Writes the seed corpus of every fuzz target from the files the program
// ships (runtime/) and the tests' sample project, one small file a seed:
//   fuzz_make_seeds tests/fuzz/corpus
// Each target's folder is filled afresh; rerun it when a format changes.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "generate/function_library.h"
#include "gui/preferences.h"
#include "project/project_file.h"
#include "support/sample_project.h"

using namespace vorlane;
namespace fs = std::filesystem;

namespace {

const std::string kRuntime = VORLANE_RUNTIME_DIR;
fs::path out_root;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
  fuzz::WriteBytes((out_root / target / name).string(), bytes);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Encodes `image` in `format` through Qt's writer; `progressive` only for JPEG.
std::string Encode(const QImage& image, const char* format, bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setProgressiveScanWrite(progressive);
  if (std::string(format) == "jpeg") writer.setQuality(50);
  writer.write(image);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QImage Pattern(int w, int h, QImage::Format format) {
  QImage image(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y, qRgba(x * 40, y * 30, (x ^ y) * 60, x == 0 ? 128 : 255));
  return image.convertToFormat(format);
}

// The gem_garden project's pictures, each frame of its sprites under img/.
std::vector<fuzz::Part> GemGardenPictures(size_t most) {
  std::vector<fuzz::Part> parts;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kRuntime + "/Projects/gem_garden/img"))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    if (parts.size() == most) break;
    parts.push_back({"img/" + file.filename().string(), Read(file)});
  }
  return parts;
}

void ProjectSeeds() {
  const std::string gem = Read(kRuntime + "/Projects/gem_garden.xml");
  std::vector<fuzz::Part> media = GemGardenPictures(100);
  media.push_back({"aud/gem.wav", "RIFF....WAVE"});
  media.push_back({"extensions.dat", Read(kRuntime + "/Projects/gem_garden/extensions.dat")});
  Seed("project_reader", "gem_garden", fuzz::JoinInput(gem, media));
  Seed("project_xml", "gem_garden.xml", gem);

  Project sample = test::SampleProject();
  const std::string xml = ProjectXml(sample);
  const Image set = test::SampleTileSet();
  std::vector<fuzz::Part> sample_media = {
      {"img/spr_hero_0.png", EncodePng(*sample.frames[0].image)},
      {"img/spr_hero_1.png", EncodePng(*sample.frames[1].image)},
      {"img/tiles.png", EncodePng(set)},
      {"aud/jump.wav", "wav bytes"},
      {"aud/theme.mp3", "mp3 bytes"}};
  Seed("project_reader", "sample", fuzz::JoinInput(xml, sample_media));
  Seed("project_xml", "sample.xml", xml);

  // Before version 129: no functions, media beside the project file.
  const std::string old = Replace(Replace(xml, "version=\"129\"", "version=\"128\""), "img/", "");
  std::vector<fuzz::Part> old_media;
  for (fuzz::Part part : sample_media) {
    part.name = part.name.substr(4);
    old_media.push_back(part);
  }
  Seed("project_reader", "sample_128", fuzz::JoinInput(old, old_media));
  Seed("project_xml", "sample_128.xml", old);

  // Frames and tile sets in the other formats and sizes the reader meets.
  const QImage frame = Pattern(8, 6, QImage::Format_RGB32);
  std::vector<fuzz::Part> formats = {
      {"img/spr_hero_0.png", Encode(frame, "jpeg")},
      {"img/spr_hero_1.png", Encode(frame, "bmp")},
      {"img/tiles.png", Encode(Pattern(64, 64, QImage::Format_Indexed8), "png")}};
  Seed("project_reader", "formats", fuzz::JoinInput(xml, formats));

  // Folder names that are passed over, and lists that say more than they hold.
  std::string odd = Replace(xml, "imgfolder=\"img\"", "imgfolder=\"../img\"");
  odd = Replace(odd, "<tiles count=\"2\"", "<tiles count=\"5\"");
  Seed("project_reader", "odd_folders", fuzz::JoinInput(odd, sample_media));
  Seed("project_xml", "count_mismatch.xml", odd);
  Seed("project_xml", "minimal.xml",
       "<vorlane version=\"129\"><functions/><variables/><comments/><sprites count=\"0\"/>"
       "<frames count=\"0\"/><sounds count=\"0\"/><musics count=\"0\"/>"
       "<backgrounds count=\"0\"/><fonts count=\"0\"/><objects count=\"0\"/>"
       "<scripts count=\"0\"/><scenes count=\"0\"/><layers count=\"0\"/><tiles count=\"0\"/>"
       "<fns count=\"0\"/></vorlane>");
  Seed("project_xml", "newer.xml", "<vorlane version=\"130\"/>");
  Seed("project_xml", "escapes.xml",
       Replace(xml, "My &lt;game&gt;", "a&#13;&#10;b&#9;c &amp; &#xE9; &#x1F600;"));
}

void PreferenceSeeds() {
  Preferences prefs;
  SavePreferences(prefs, (out_root / "preferences" / "default").string());
  prefs.sci_font_family = "Süß Mono";
  prefs.ImgFolder = "pictures";
  prefs.x = 100;
  SavePreferences(prefs, (out_root / "preferences" / "utf8").string());
  Seed(
      "preferences", "latin1",
      "[Code editor]\nsci_font_family = Caf\xE9\nsci_font_size=  14 pt\n[Export]\nImgFolder=img\n");
  Seed("preferences", "odd_lines",
       "; comment\r\nlost = 1\r\n[misc\r\nconfirmexit = 0\r\n  [Browser]  \r\nadd_file_protocol\r\n"
       "[Misc]\r\nCheckProgramVersion = 99999999999\rGenerateIndexHTML = -7\r");
  Seed("preferences", "empty", "");
}

void ExtensionSeeds() {
  const std::string easing = Read(kRuntime + "/Extensions/easing.tex");
  const std::string savedata = Read(kRuntime + "/Extensions/savedata.tex");
  Seed("extensions", "easing", easing);
  Seed("extensions", "savedata_enabled",
       fuzz::JoinInput(savedata, {{"extensions.dat", "fuzz\nsavedata\n"},
                                  {"easing.tex", easing.substr(0, 400)}}));
  Seed("extensions", "crlf", Replace(savedata.substr(0, 600), "\n", "\r\n"));
  Seed("extensions", "cr", Replace(easing.substr(0, 600), "\n", "\r"));
  Seed("extensions", "repeated",
       "[EXTENSION]\nOne\n[EXTENSION]\nTwo\n[HELP]\n[HELP]\nh\n[CODE]\nx\n[CODE]\n[AUTHOR]\n");
}

void KeywordSeeds() {
  const std::string keywords = Read(kRuntime + "/keywords.dat");
  Seed("keyword_file", "keywords.dat", keywords);
  size_t cut = 0;
  for (int line = 0; line < 30 && cut != std::string::npos; ++line)
    cut = keywords.find('\n', cut + 1);
  const std::string head = keywords.substr(0, cut);
  Seed("keyword_file", "head", head);
  Seed("keyword_file", "bom_crlf", "\xEF\xBB\xBF" + Replace(head, "\n", "\r\n"));
  Seed("keyword_file", "classes", "!fn\nf()\nhelp\n.var\n\n\n#CONST\nc\nd\n?other\nx\ny\n!last\n");
}

void LibrarySeeds() {
  Project sample = test::SampleProject();
  sample.fns.push_back({"move", "x, y", "Moves <it>", "x += 1;\r\n\ty += 2;\n  return [x, y];\n"});
  sample.fns.push_back({"", "", "", ""});
  Seed("function_library", "sample.xml", FunctionLibraryXml(sample, {}, "Me", "Some & more"));
  Seed("function_library", "one.xml", FunctionLibraryXml(sample, {true, false}, "", ""));
  Seed("function_library", "many_add.xml",
       "<lib><fns count=\"4\"><fn name=\"add\"/><fn name=\"add\"/><fn name=\"add_2\"/>"
       "<fn name=\"add\">a<b>not code</b>c</fn></fns></lib>");
  Seed("function_library", "not_first.xml", "<lib><other/><fns count=\"1\"><fn/></fns></lib>");
}

void ImageSeeds() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kRuntime + "/Projects/gem_garden/img"))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (size_t i = 0; i < files.size() && i < 6; ++i)
    Seed("image_decode", files[i].filename().string(), Read(files[i]));
  const QImage rgb = Pattern(9, 7, QImage::Format_RGB32);
  Seed("image_decode", "rgb.jpg", Encode(rgb, "jpeg"));
  Seed("image_decode", "progressive.jpg", Encode(rgb, "jpeg", true));
  Seed("image_decode", "gray.jpg", Encode(Pattern(9, 7, QImage::Format_Grayscale8), "jpeg"));
  Seed("image_decode", "rgb.bmp", Encode(rgb, "bmp"));
  Seed("image_decode", "argb.bmp", Encode(Pattern(5, 4, QImage::Format_ARGB32), "bmp"));
  Seed("image_decode", "mono.bmp", Encode(Pattern(11, 3, QImage::Format_Mono), "bmp"));
  Seed("image_decode", "indexed.bmp", Encode(Pattern(6, 6, QImage::Format_Indexed8), "bmp"));
  Seed("image_decode", "indexed.png", Encode(Pattern(6, 6, QImage::Format_Indexed8), "png"));
  Seed("image_decode", "gray.png", Encode(Pattern(6, 5, QImage::Format_Grayscale8), "png"));
  Seed("image_decode", "rgba64.png", Encode(Pattern(4, 4, QImage::Format_RGBA64), "png"));
  Seed("image_decode", "mono.png", Encode(Pattern(17, 2, QImage::Format_Mono), "png"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_make_seeds CORPUS-FOLDER\n");
    return 2;
  }
  out_root = argv[1];
  for (const char* target : {"project_reader", "project_xml", "preferences", "extensions",
                             "keyword_file", "function_library", "image_decode"}) {
    fs::remove_all(out_root / target);
    fs::create_directories(out_root / target);
  }
  ProjectSeeds();
  PreferenceSeeds();
  ExtensionSeeds();
  KeywordSeeds();
  LibrarySeeds();
  ImageSeeds();
  return 0;
}
