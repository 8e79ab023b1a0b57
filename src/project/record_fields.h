// The fields the project file stores of each kind of record, one table per
// kind, in the order the file writes them. The reader and the writer walk
// these tables, so a new stored field is one line here (and its member in
// model.h); a field left out of its table is never saved.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "project/model.h"

namespace vorlane {

enum class StoredAs {
  kAttribute,
  // A record's own element text (its code), or for the settings a child
  // element of the root, read by position. At most one per record.
  kText,
};

template <typename Record>
struct Field {
  constexpr Field(std::string_view file_name, int Record::*member, int since_version = 0)
      : name(file_name), number(member), since(since_version) {}
  constexpr Field(std::string_view file_name, std::string Record::*member,
                  StoredAs stored_as = StoredAs::kAttribute)
      : name(file_name), text(member), as(stored_as) {}

  std::string_view name;  // in the file; a string literal, so also NUL-terminated
  int Record::*number = nullptr;  // exactly one of `number` and `text` is set
  std::string Record::*text = nullptr;
  StoredAs as = StoredAs::kAttribute;
  int since = 0;  // read only from files of this version or later
};

// The table of `Record`; Music shares Sound's.
template <typename Record>
std::span<const Field<Record>> FieldsOf();

template <> std::span<const Field<Sprite>> FieldsOf<Sprite>();
template <> std::span<const Field<Frame>> FieldsOf<Frame>();
template <> std::span<const Field<Sound>> FieldsOf<Sound>();
template <> std::span<const Field<Background>> FieldsOf<Background>();
template <> std::span<const Field<Font>> FieldsOf<Font>();
template <> std::span<const Field<GameObject>> FieldsOf<GameObject>();
template <> std::span<const Field<Script>> FieldsOf<Script>();
template <> std::span<const Field<Scene>> FieldsOf<Scene>();
template <> std::span<const Field<Layer>> FieldsOf<Layer>();
template <> std::span<const Field<Tile>> FieldsOf<Tile>();
template <> std::span<const Field<UserFunction>> FieldsOf<UserFunction>();
// The settings' attributes go on the root element after its uid; their text
// elements are the root's first children.
template <> std::span<const Field<ProjectSettings>> FieldsOf<ProjectSettings>();

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
