#include "code/keyword_list.h"

namespace vorlane {

void AddKeywordRecord(KeywordList& list, std::string name, std::string class_, std::string help1,
                      std::string help2) {
  list.push_back({std::move(name), std::move(class_), std::move(help1), std::move(help2)});
}

namespace {

const char* ClassOf(char marker) {
  switch (marker) {
    case '!': return "Fn";
    case '.': return "Var";
    default: return "Cons";
  }
}

}  // namespace

bool LoadKeywordFile(KeywordList& list, const std::string& path, std::string* error) {
  std::vector<KeywordFileRecord> records;
  if (!ReadKeywordFile(path, &records, error)) return false;
  for (KeywordFileRecord& record : records)
    AddKeywordRecord(list, std::move(record.name), ClassOf(record.marker), std::move(record.help1),
                     std::move(record.help2));
  return true;
}

const std::vector<std::string>& KeyConstantNames() {
  static const std::vector<std::string> names = {
      "vk_0",      "vk_1",      "vk_2",        "vk_3",        "vk_4",     "vk_5",
      "vk_6",      "vk_7",      "vk_8",        "vk_9",        "vk_a",     "vk_add",
      "vk_alt",    "vk_b",      "vk_backspace", "vk_c",       "vk_ctrl",  "vk_d",
      "vk_decimal", "vk_delete", "vk_divide",  "vk_down",     "vk_e",     "vk_end",
      "vk_enter",  "vk_escape", "vk_f",        "vk_f1",       "vk_f10",   "vk_f11",
      "vk_f12",    "vk_f2",     "vk_f3",       "vk_f4",       "vk_f5",    "vk_f6",
      "vk_f7",     "vk_f8",     "vk_f9",       "vk_g",        "vk_h",     "vk_home",
      "vk_i",      "vk_insert", "vk_j",        "vk_k",        "vk_l",     "vk_left",
      "vk_m",      "vk_multiply", "vk_n",      "vk_num0",     "vk_num1",  "vk_num2",
      "vk_num3",   "vk_num4",   "vk_num5",     "vk_num6",     "vk_num7",  "vk_num8",
      "vk_num9",   "vk_o",      "vk_p",        "vk_pagedown", "vk_pageup", "vk_pause",
      "vk_q",      "vk_r",      "vk_right",    "vk_s",        "vk_shift", "vk_space",
      "vk_subtract", "vk_t",    "vk_tab",      "vk_u",        "vk_up",    "vk_v",
      "vk_w",      "vk_x",      "vk_y",        "vk_z"};
  return names;
}

void AddKeyConstants(KeywordList& list) {
  for (const std::string& name : KeyConstantNames()) AddKeywordRecord(list, name, "Cons", "", "");
}

KeywordList LoadKeywordList(const std::string& path) {
  KeywordList list;
  LoadKeywordFile(list, path);
  AddKeyConstants(list);
  return list;
}

int FindKeywordWithHelp(const KeywordList& list, std::string_view name) {
  if (name.empty()) return -1;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].name == name && !list[i].help1.empty()) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace vorlane
