// The fields the project file stores of each kind of record, one table per
// kind, in the order the file writes them. The reader and the writer walk
// these tables, so a new stored field is one line in its table in
// record_fields.cpp (and its member in model.h); a field left out of its
// table is never saved.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <tuple>

#include "project/model.h"

namespace vorlane {

enum class StoredAs {
  kAttribute,
  // A record's own element text (its code), or for the settings a child
  // element of the root, read by position. At most one per record.
  kText,
  // A number written only when it is not zero, so that files which never
  // set it are written as they were before it existed.
  kAttributeWhenSet,
};

template <typename Record>
struct Field {
  constexpr Field(std::string_view file_name, int Record::*member, int since_version = 0)
      : name(file_name), number(member), since(since_version) {}
  constexpr Field(std::string_view file_name, int Record::*member, StoredAs stored_as)
      : name(file_name), number(member), as(stored_as) {}
  constexpr Field(std::string_view file_name, std::string Record::*member,
                  StoredAs stored_as = StoredAs::kAttribute)
      : name(file_name), text(member), as(stored_as) {}

  std::string_view name;          // in the file; a string literal, so also NUL-terminated
  int Record::*number = nullptr;  // exactly one of `number` and `text` is set
  std::string Record::*text = nullptr;
  StoredAs as = StoredAs::kAttribute;
  int since = 0;  // read only from files of this version or later
};

template <typename... Records>
using FieldTables = std::tuple<std::span<const Field<Records>>...>;

// Every table; Music shares Sound's. The settings' attributes go on the root
// element after its uid, and their text elements are the root's first
// children.
using AllFieldTables = FieldTables<Sprite, Frame, Sound, Background, Font, GameObject, Script,
                                   Scene, Layer, Tile, UserFunction, ProjectSettings>;
const AllFieldTables& AllFields();

template <typename Record>
std::span<const Field<Record>> FieldsOf() {
  return std::get<std::span<const Field<Record>>>(AllFields());
}

// The lists of records in the file's order, and their names there. Each
// record is an element named as its list without the final "s".
inline constexpr const char* kRecordLists[] = {"sprites",     "frames", "sounds",  "musics",
                                               "backgrounds", "fonts",  "objects", "scripts",
                                               "scenes",      "layers", "tiles",   "fns"};

template <typename P>  // a Project, const or not
auto RecordLists(P& p) {
  return std::tie(p.sprites, p.frames, p.sounds, p.musics, p.backgrounds, p.fonts, p.objects,
                  p.scripts, p.scenes, p.layers, p.tiles, p.fns);
}

// Folds every stored field of `r` into `hash` (FNV-1a): records alike in
// all the file holds fold alike.
template <typename Record>
std::uint64_t FoldStored(std::uint64_t hash, const Record& r) {
  const auto fold = [&hash](const void* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i)
      hash = (hash ^ static_cast<const unsigned char*>(bytes)[i]) * 1099511628211ull;
  };
  for (const Field<Record>& f : FieldsOf<Record>()) {
    if (f.number) {
      fold(&(r.*f.number), sizeof(int));
    } else {
      const std::string& text = r.*f.text;
      const size_t size = text.size();
      fold(&size, sizeof size);  // "ab","c" and "a","bc" fold apart
      fold(text.data(), size);
    }
  }
  return hash;
}

// A record as a read starts it: every stored field zero or empty, as the file
// is the whole truth about a saved project; run-time fields keep their
// defaults.
template <typename Record>
Record BlankRecord() {
  Record r{};
  for (const Field<Record>& f : FieldsOf<Record>()) {
    if (f.number)
      r.*f.number = 0;
    else
      (r.*f.text).clear();
  }
  return r;
}

}  // namespace vorlane
