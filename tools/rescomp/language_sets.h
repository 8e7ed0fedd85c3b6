// A parsed script's resources sorted into one set per language, as a program in that language
// finds them: its own menu, dialogs and strings, and where it has none of its own, the
// language-neutral ones (LANGUAGE 0). What a language lacks that another has is an error, so
// that an unfinished translation stops the build instead of showing empty texts.
#pragma once

#include <string>
#include <vector>

#include "rc_script.h"

namespace rolvi::rescomp {

struct RcLanguageSet {
  RcLanguage language = 0;
  std::string tag;                       // "zh-CN"; empty for a script without LANGUAGE
  const RcMenu* menu = nullptr;          // null when the script has no menu
  std::vector<const RcDialog*> dialogs;  // in the order of each number's first dialog
  std::vector<RcString> strings;         // in the order of their numbers
};

struct RcLanguageSets {
  bool ok = false;
  std::vector<RcLanguageSet> sets;  // in the order of `script.languages`
  std::string error;
};

// The sets of `script`, which must outlive them. A script without any language gets one set
// of language 0. A string falls back to the neutral one only when its language has no string
// in the same block of sixteen: Windows loads a block whole, in one language.
RcLanguageSets GroupByLanguage(const RcScript& script);

}  // namespace rolvi::rescomp
