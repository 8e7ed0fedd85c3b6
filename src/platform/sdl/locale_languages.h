// The languages the desktop's player wants, read from the locale variables in the order
// gettext reads them, for the program to match against the languages it has.
#pragma once

#include <string_view>
#include <vector>

namespace rolvi::platform::sdl {

// The variables the choice reads; null where unset.
struct LocaleVariables {
  const char* language = nullptr;  // LANGUAGE, a list of locale names joined by colons
  const char* lc_all = nullptr;
  const char* lc_messages = nullptr;
  const char* lang = nullptr;
};

LocaleVariables ProcessLocaleVariables();

// The messages' locale is the first of LC_ALL, LC_MESSAGES and LANG that is set and not
// empty. In the C or POSIX locale, or with none, nothing is wanted: the program shows its
// language of last resort, and LANGUAGE is not read (as gettext ignores it there). Otherwise
// LANGUAGE's entries when it is set, best first, up to an entry "C" or "POSIX"; else the
// locale itself. The views point into the variables' values.
std::vector<std::string_view> WantedLanguages(const LocaleVariables& variables);

}  // namespace rolvi::platform::sdl
