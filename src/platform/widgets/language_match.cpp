#include "platform/widgets/language_match.h"

#include <algorithm>
#include <cctype>

namespace rolvi::platform::widgets {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool AllOf(std::string_view part, int (*test)(int)) {
  return std::all_of(part.begin(), part.end(),
                     [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

LanguageName ParseLanguageName(std::string_view name) {
  name = name.substr(0, name.find_first_of(".@"));
  LanguageName parsed;
  bool first = true;
  while (!name.empty()) {
    const std::size_t end = std::min(name.size(), name.find_first_of("-_"));
    const std::string_view part = name.substr(0, end);
    name.remove_prefix(std::min(name.size(), end + 1));
    if (first) {
      parsed.language = part;
      first = false;
    } else if (parsed.region.empty() && ((part.size() == 2 && AllOf(part, std::isalpha)) ||
                                         (part.size() == 3 && AllOf(part, std::isdigit)))) {
      parsed.region = part;  // a four-letter script ("Hans") and variants are passed over
    }
  }
  return parsed;
}

const ResourceTables* MatchLanguage(std::span<const ResourceTables> languages,
                                    std::span<const std::string_view> wanted) {
  for (const std::string_view name : wanted) {
    const LanguageName want = ParseLanguageName(name);
    if (want.language.empty()) continue;
    const ResourceTables* same_language = nullptr;
    for (const ResourceTables& tables : languages) {
      const LanguageName has = ParseLanguageName(tables.tag);
      if (!SameLetters(has.language, want.language)) continue;
      if (SameLetters(has.region, want.region)) return &tables;
      if (same_language == nullptr) same_language = &tables;
    }
    if (same_language != nullptr) return same_language;
  }
  return nullptr;
}

const ResourceTables& ChooseLanguage(std::span<const ResourceTables> languages,
                                     std::span<const std::string_view> wanted) {
  const ResourceTables* match = MatchLanguage(languages, wanted);
  return match != nullptr ? *match : languages.front();
}

}  // namespace rolvi::platform::widgets
