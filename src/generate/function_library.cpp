#include "generate/function_library.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "gui/number_text.h"
#include "gui/file_util.h"
#include "gui/handles.h"
#include "gui/xml_text.h"

namespace vorlane {
namespace {

constexpr std::string_view kIndent = "    ";
// Renaming appends "_2" again and again; a library that would need more
// copies of one name than this is refused, so that a hostile file cannot
// make the names grow without bound.
constexpr size_t kMaxRenames = 100;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Streams the library: the root's first child must be the function list;
// its first `count` element children are the functions.
class LibraryReader {
 public:
  bool Parse(const std::string& bytes, std::vector<UserFunction>* out, std::string* error) {
    if (bytes.size() > static_cast<size_t>(INT_MAX)) {
      *error = "The file is too large to be a function library.";
      return false;
    }
    const UniqueXmlParser owner(XML_ParserCreate(nullptr));
    XML_Parser parser = owner.get();
    if (!parser) {
      *error = "Out of memory while reading the function library.";
      return false;
    }
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &OnStart, &OnEnd);
    XML_SetCharacterDataHandler(parser, &OnText);
    const bool parsed =
        XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) == XML_STATUS_OK;
    if (!parsed) {
      *error = "The file is not a function library: it is not valid XML (line " +
               std::to_string(XML_GetCurrentLineNumber(parser)) + ": " +
               XML_ErrorString(XML_GetErrorCode(parser)) + ").";
    }
    if (!parsed) return false;
    if (!has_list_) {
      *error = "The file is not a function library: it holds no list of functions.";
      return false;
    }
    *out = std::move(functions_);
    return true;
  }

 private:
  static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    static_cast<LibraryReader*>(self)->Start(name, attributes);
  }
  static void OnEnd(void* self, const XML_Char*) {
    auto* r = static_cast<LibraryReader*>(self);
    if (r->depth_-- == 3) r->text_ = nullptr;
  }
  // A function's code is its own text; text of elements inside it is not.
  static void OnText(void* self, const XML_Char* text, int length) {
    auto* r = static_cast<LibraryReader*>(self);
    if (r->text_ && r->depth_ == 3) r->text_->append(text, static_cast<size_t>(length));
  }

  void Start(const char* name, const XML_Char** a) {
    if (++depth_ == 2) {
      const bool first = children_of_root_++ == 0;
      in_list_ = first && std::strcmp(name, "fns") == 0;
      if (!in_list_) return;
      has_list_ = true;
      for (; *a; a += 2)
        if (std::strcmp(a[0], "count") == 0) count_ = std::max(0, LeadingInt(a[1]));
    } else if (depth_ == 3 && in_list_ && static_cast<int>(functions_.size()) < count_) {
      // Only functions actually present are made, whatever `count` claims.
      UserFunction& f = functions_.emplace_back();
      for (; *a; a += 2) {
        if (std::strcmp(a[0], "name") == 0) f.name = a[1];
        else if (std::strcmp(a[0], "params") == 0) f.params = a[1];
        else if (std::strcmp(a[0], "description") == 0) f.description = a[1];
      }
      text_ = &f.code;
    }
  }

  int depth_ = 0;
  int children_of_root_ = 0;
  bool in_list_ = false;
  bool has_list_ = false;
  int count_ = 0;
  std::string* text_ = nullptr;
  std::vector<UserFunction> functions_;
};

// Hands out unique names: "_2" is appended until the name is free. The
// number of "_2" tried last for each name is remembered, since names are only
// ever added, so many copies of one name cost no repeated searches.
class UniqueNames {
 public:
  explicit UniqueNames(const Project& project) {
    for (const UserFunction& f : project.fns) taken_.insert(f.name);
  }

  // "" when the name would need more than kMaxRenames suffixes.
  std::string Take(const std::string& name) {
    size_t& copies = copies_[name];
    std::string candidate = name;
    for (size_t i = 0; i < copies; ++i) candidate += "_2";
    // An empty name is never kept: it would not make a function.
    while (candidate.empty() || taken_.count(candidate)) {
      candidate += "_2";
      ++copies;
      if (copies > kMaxRenames) return "";
    }
    taken_.insert(candidate);
    return candidate;
  }

 private:
  std::unordered_set<std::string> taken_;
  std::unordered_map<std::string, size_t> copies_;
};

}  // namespace

std::string ExportRefusal(const Project& project) {
  return project.fns.empty() ? kNothingToExportMessage : "";
}

std::string LibraryFileName(const std::string& chosen) {
  if (chosen.empty()) return chosen;
  const std::string_view tail = ".xml";
  const bool has_tail =
      chosen.size() >= tail.size() && chosen.compare(chosen.size() - tail.size(), tail.size(), tail) == 0;
  return has_tail ? chosen : chosen + ".xml";
}

bool LibraryNeedsOverwriteQuestion(const std::string& path) { return FileSize(path) > 0; }

std::string LibraryCode(const std::string& code) {
  std::string out;
  out.reserve(code.size() + 64);
  const size_t n = code.size();
  size_t i = 0;
  while (i < n) {
    const char c = code[i++];
    out += c;
    if (c != '\r' && c != '\n') continue;
    if (c == '\r' && i < n && code[i] == '\n') out += code[i++];
    if (i == n) break;  // a break that ends the code is followed by nothing
    while (i < n && IsBlank(code[i])) ++i;
    out += kIndent;
  }
  return out;
}

std::string FunctionLibraryXml(const Project& project, const std::vector<bool>& ticked,
                               const std::string& author, const std::string& description) {
  const auto is_ticked = [&](size_t i) { return i >= ticked.size() || ticked[i]; };
  int count = 0;
  for (size_t i = 0; i < project.fns.size(); ++i) count += is_ticked(i) ? 1 : 0;

  std::string out;
  XmlWriter xml(out);
  xml.Declaration();
  xml.Start("vorlane_functions");
  xml.Attribute("version", kVersion);
  xml.Attribute("author", author);
  xml.Attribute("description", description);
  xml.EndStart();
  xml.Start("fns");
  xml.Attribute("count", count);
  if (count == 0) {
    xml.EndEmpty();
  } else {
    xml.EndStart();
    for (size_t i = 0; i < project.fns.size(); ++i) {
      if (!is_ticked(i)) continue;
      const UserFunction& f = project.fns[i];
      xml.Start("fn");
      xml.Attribute("name", f.name);
      xml.Attribute("params", f.params);
      xml.Attribute("description", f.description);
      const std::string code = LibraryCode(f.code);
      if (code.empty()) {
        xml.EndEmpty();
      } else {
        xml.EndStart();
        xml.Text(code);
        xml.End("fn");
      }
    }
    xml.End("fns");
  }
  xml.End("vorlane_functions");
  xml.Finish();
  return out;
}

bool WriteFunctionLibrary(const std::string& path, const Project& project,
                          const std::vector<bool>& ticked, const std::string& author,
                          const std::string& description, std::string* error) {
  std::string why;
  if (WriteFileAtomic(path, FunctionLibraryXml(project, ticked, author, description), &why))
    return true;
  if (error) *error = "The functions could not be exported. " + why;
  return false;
}

bool ParseFunctionLibrary(const std::string& bytes, std::vector<UserFunction>* functions,
                          std::string* error) {
  return LibraryReader().Parse(bytes, functions, error);
}

std::string ImportedFunctionName(const Project& project, const std::string& name) {
  return UniqueNames(project).Take(name);
}

bool ImportFunctionLibraryText(Project& project, const std::string& bytes, LibraryImport* result) {
  LibraryImport local;
  LibraryImport& out = result ? *result : local;
  out = LibraryImport{};
  std::vector<UserFunction> functions;
  if (!ParseFunctionLibrary(bytes, &functions, &out.error)) return false;

  // Names are settled before anything is added, so a refusal adds nothing.
  UniqueNames names(project);
  for (UserFunction& f : functions) {
    std::string unique = names.Take(f.name);
    if (unique.empty()) {
      out.error = "The library holds too many functions named \"" + f.name +
                  "\"; nothing was imported.";
      out.names.clear();
      return false;
    }
    f.name = unique;
    out.names.push_back(std::move(unique));
  }
  for (UserFunction& f : functions) project.fns.push_back(std::move(f));
  SetModified(project, 1);
  return true;
}

bool ImportFunctionLibrary(Project& project, const std::string& path, LibraryImport* result) {
  std::string bytes;
  std::string why;
  if (!ReadFile(path, &bytes, kMaxFunctionLibraryBytes, &why)) {
    LibraryImport local;
    LibraryImport& out = result ? *result : local;
    out = LibraryImport{};
    out.error = "The functions could not be imported. " + why;
    return false;
  }
  return ImportFunctionLibraryText(project, bytes, result);
}

}  // namespace vorlane
