#include "platform/sdl/locale_languages.h"

#include <cstdlib>

namespace rolvi::platform::sdl {
namespace {

bool IsSet(const char* value) {
  return value != nullptr && value[0] != '\0';
}

bool IsUntranslated(std::string_view locale) {
  return locale == "C" || locale == "POSIX";
}

}  // namespace

LocaleVariables ProcessLocaleVariables() {
  return {std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
          std::getenv("LANG")};
}

std::vector<std::string_view> WantedLanguages(const LocaleVariables& variables) {
  std::string_view locale;
  for (const char* value : {variables.lc_all, variables.lc_messages, variables.lang}) {
    if (IsSet(value)) {
      locale = value;
      break;
    }
  }
  if (locale.empty() || IsUntranslated(locale)) return {};
  std::vector<std::string_view> wanted;
  if (IsSet(variables.language)) {
    std::string_view list = variables.language;
    while (!list.empty()) {
      const std::size_t colon = list.find(':');
      const std::string_view entry = list.substr(0, colon);
      list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
      if (IsUntranslated(entry)) break;
      if (!entry.empty()) wanted.push_back(entry);
    }
    return wanted;
  }
  return {locale};
}

}  // namespace rolvi::platform::sdl
