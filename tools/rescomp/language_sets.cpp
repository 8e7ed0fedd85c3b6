#include "language_sets.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "language_tags.h"

namespace rolvi::rescomp {
namespace {

std::string LanguageName(RcLanguage language, const std::string& tag) {
  if (!tag.empty()) return tag;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(language));
  return hex;
}

class Grouper {
 public:
  explicit Grouper(const RcScript& script) : script_(script) {}

  RcLanguageSets Run() {
    RcLanguageSets result;
    std::vector<RcLanguage> languages = script_.languages;
    if (languages.empty()) languages.push_back(0);
    for (const RcMenu& menu : script_.menus) {
      if (menu.id != script_.menus.front().id) return Fail("the menus have two numbers");
    }
    for (const RcLanguage language : languages) {
      RcLanguageSet set;
      set.language = language;
      if (language != 0) {
        const std::optional<std::string> tag = LanguageTag(language);
        if (!tag) return Fail("language " + LanguageName(language, "") + " has no known tag");
        set.tag = *tag;
        for (const RcLanguageSet& other : result.sets) {
          if (other.tag == set.tag) return Fail("two languages have the tag " + set.tag);
        }
      }
      name_ = LanguageName(language, set.tag);
      if (!Menu(set) || !Dialogs(set) || !Strings(set)) return Fail(error_);
      result.sets.push_back(std::move(set));
    }
    result.ok = true;
    return result;
  }

 private:
  RcLanguageSets Fail(const std::string& error) {
    RcLanguageSets result;
    result.error = error;
    return result;
  }

  // The one resource of `language` among `all` (those `matches` picks), else the neutral one;
  // null with `error_` set when there are two, or none while the script has one elsewhere.
  template <typename Resource, typename Match>
  const Resource* Pick(const std::vector<Resource>& all, Match matches, RcLanguage language,
                       const std::string& what) {
    const Resource* own = nullptr;
    const Resource* neutral = nullptr;
    for (const Resource& resource : all) {
      if (!matches(resource)) continue;
      if (resource.language == language) {
        if (own != nullptr) {
          error_ = what + " is given twice in " + name_;
          return nullptr;
        }
        own = &resource;
      } else if (resource.language == 0) {
        neutral = &resource;
      }
    }
    if (own == nullptr && neutral == nullptr) error_ = what + " has no " + name_ + " version";
    return own != nullptr ? own : neutral;
  }

  bool Menu(RcLanguageSet& set) {
    if (script_.menus.empty()) return true;
    set.menu = Pick(
        script_.menus, [](const RcMenu&) { return true; }, set.language, "the menu");
    return set.menu != nullptr;
  }

  bool Dialogs(RcLanguageSet& set) {
    std::vector<int> ids;
    for (const RcDialog& dialog : script_.dialogs) {
      if (std::find(ids.begin(), ids.end(), dialog.id) == ids.end()) ids.push_back(dialog.id);
    }
    for (const int id : ids) {
      const RcDialog* dialog = Pick(
          script_.dialogs, [id](const RcDialog& d) { return d.id == id; }, set.language,
          "dialog " + std::to_string(id));
      if (dialog == nullptr) return false;
      set.dialogs.push_back(dialog);
    }
    return true;
  }

  const RcStringTable* Table(RcLanguage language) const {
    for (const RcStringTable& table : script_.string_tables) {
      if (table.language == language) return &table;
    }
    return nullptr;
  }

  static const RcString* Find(const RcStringTable* table, int id) {
    if (table == nullptr) return nullptr;
    for (const RcString& string : table->strings) {
      if (string.id == id) return &string;
    }
    return nullptr;
  }

  static bool HasBlock(const RcStringTable* table, int id) {
    if (table == nullptr) return false;
    return std::any_of(table->strings.begin(), table->strings.end(),
                       [id](const RcString& s) { return s.id / 16 == id / 16; });
  }

  bool Strings(RcLanguageSet& set) {
    std::vector<int> ids;
    for (const RcStringTable& table : script_.string_tables) {
      for (const RcString& string : table.strings)
        ids.push_back(string.id);
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    const RcStringTable* own = Table(set.language);
    const RcStringTable* neutral = set.language != 0 ? Table(0) : nullptr;
    for (const int id : ids) {
      const RcString* string = Find(own, id);
      if (string == nullptr && !HasBlock(own, id)) string = Find(neutral, id);
      if (string == nullptr) {
        error_ = "string " + std::to_string(id) + " has no " + name_ + " text";
        return false;
      }
      set.strings.push_back(*string);
    }
    return true;
  }

  const RcScript& script_;
  std::string name_;  // of the language being sorted, for the errors
  std::string error_;
};

}  // namespace

RcLanguageSets GroupByLanguage(const RcScript& script) {
  return Grouper(script).Run();
}

}  // namespace rolvi::rescomp
