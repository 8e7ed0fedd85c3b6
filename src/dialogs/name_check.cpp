#include "dialogs/name_check.h"

#include <algorithm>

#include "records/record_table.h"

namespace rolvi::dialogs {

NameVerdict ValidateName(std::string_view edit_text, records::NameBuffer& lastName) {
  std::string_view name = edit_text.substr(0, kNameReadLimit);
  name = name.substr(0, name.find('\0'));

  if (name.empty()) return NameVerdict::kEmpty;
  if (name.size() > records::kMaxNameLength) return NameVerdict::kTooLong;
  const bool latin = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!latin) return NameVerdict::kNotLatin;

  lastName = records::MakeNameBuffer(name);
  return NameVerdict::kAccepted;
}

std::string_view NameVerdictMessage(NameVerdict verdict, const NameCheckTexts& texts) {
  switch (verdict) {
    case NameVerdict::kAccepted:
      return {};
    case NameVerdict::kEmpty:
      return texts.empty;
    case NameVerdict::kTooLong:
      return texts.too_long;
    case NameVerdict::kNotLatin:
      return texts.not_latin;
  }
  return {};
}

}  // namespace rolvi::dialogs
