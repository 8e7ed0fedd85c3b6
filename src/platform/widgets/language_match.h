// Which of a program's languages a player gets: the languages the player wants, named by
// language tags ("zh-Hans-CN", "en") or locale names ("zh_TW.UTF-8"), matched against the tags
// the program's tables carry. Each back end finds the wanted languages its own way.
#pragma once

#include <span>
#include <string_view>

#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::widgets {

// A tag or locale name without its script, codeset and modifier: "zh_TW.UTF-8@x" is zh and
// TW, "zh-Hans-CN" zh and CN. Empty parts where the name has none.
struct LanguageName {
  std::string_view language;
  std::string_view region;
};
LanguageName ParseLanguageName(std::string_view name);

// The tables of the first of `wanted` that `languages` has: for each wanted name in turn, the
// tables of its language and region, else the first of its language (zh_TW finds zh-CN).
// Letter case does not matter. Null when none matches.
const ResourceTables* MatchLanguage(std::span<const ResourceTables> languages,
                                    std::span<const std::string_view> wanted);

// The match, or else the first tables: a program's script puts its language of last resort,
// the one for every language it lacks, first. `languages` must not be empty.
const ResourceTables& ChooseLanguage(std::span<const ResourceTables> languages,
                                     std::span<const std::string_view> wanted);

}  // namespace rolvi::platform::widgets
