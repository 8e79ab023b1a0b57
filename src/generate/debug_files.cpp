#include "generate/debug_files.h"

#include <sys/stat.h>

#include <QByteArray>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <memory>

#include "gui/file_util.h"

namespace vorlane {
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::string Canonical(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : std::string();
}

}  // namespace

bool ServedName(const std::string& encoded, std::string* name) {
  const std::string decoded =
      QUrl::fromPercentEncoding(QByteArray::fromStdString(encoded)).toStdString();
  if (decoded.empty() || decoded.front() == '/' || decoded.find('\\') != std::string::npos ||
      decoded.find('\0') != std::string::npos)
    return false;
  size_t start = 0;
  while (start <= decoded.size()) {
    size_t slash = decoded.find('/', start);
    if (slash == std::string::npos) slash = decoded.size();
    const std::string segment = decoded.substr(start, slash - start);
    if (segment.empty() || segment == "." || segment == "..") return false;
    start = slash + 1;
  }
  *name = decoded;
  return true;
}

bool ReadServedFile(const std::string& folder, const std::string& name, std::string* bytes,
                    std::string* error) {
  const std::string path = folder + "/" + name;
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) {
    *error = "no such file";
    return false;
  }
  if (S_ISLNK(st.st_mode)) {
    *error = "a symbolic link";
    return false;
  }
  const std::string real = Canonical(path);
  if (real.size() <= folder.size() || real.compare(0, folder.size() + 1, folder + "/") != 0) {
    *error = "outside the project folder";
    return false;
  }
  // ReadFile refuses folders and other non-regular files without waiting on them.
  return ReadFile(real, bytes, kMaxServedFileBytes, error);
}

std::string ContentTypeOf(const std::string& name) {
  static const std::pair<const char*, const char*> kTypes[] = {
      {".html", "text/html; charset=utf-8"},
      {".htm", "text/html; charset=utf-8"},
      {".js", "text/javascript; charset=utf-8"},
      {".json", "application/json"},
      {".css", "text/css; charset=utf-8"},
      {".png", "image/png"},
      {".jpg", "image/jpeg"},
      {".jpeg", "image/jpeg"},
      {".wav", "audio/wav"},
      {".mp3", "audio/mpeg"},
      {".ogg", "audio/ogg"},
  };
  const size_t dot = name.rfind('.');
  const std::string ext = dot == std::string::npos ? "" : Lower(name.substr(dot));
  for (const auto& [e, type] : kTypes)
    if (ext == e) return type;
  return "application/octet-stream";
}

std::string WithDebugScript(const std::string& page, const std::string& script_address) {
  const std::string tag = "<script src=\"" + script_address + "\"></script>";
  const std::string lower = Lower(page);
  size_t at = lower.find("<script");
  if (at == std::string::npos) at = lower.find("</body>");
  if (at == std::string::npos) at = page.size();
  return page.substr(0, at) + tag + page.substr(at);
}

}  // namespace vorlane
