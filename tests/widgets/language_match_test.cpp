// Matching the languages a player wants, as tags or locale names, against the tags of a
// program's tables: the region where the program has it, else the language alone.
#include "platform/widgets/language_match.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace rolvi::platform::widgets {
namespace {

// Four languages, two of them Chinese and the first the language of last resort.
constexpr ResourceTables kLanguages[] = {
    {.language = 0x0409, .tag = "en-US"},
    {.language = 0x0804, .tag = "zh-CN"},
    {.language = 0x0404, .tag = "zh-TW"},
    {.language = 0x0416, .tag = "pt-BR"},
};

std::string_view Match(std::vector<std::string_view> wanted) {
  const ResourceTables* match = MatchLanguage(kLanguages, wanted);
  return match == nullptr ? "none" : match->tag;
}

TEST(LanguageMatchTest, NamesSplitIntoLanguageAndRegion) {
  const auto parts = [](std::string_view name) {
    const LanguageName parsed = ParseLanguageName(name);
    return std::string(parsed.language) + "|" + std::string(parsed.region);
  };
  EXPECT_EQ(parts("zh_TW.UTF-8@stroke"), "zh|TW");
  EXPECT_EQ(parts("zh-Hans-CN"), "zh|CN");
  EXPECT_EQ(parts("zh-Hant"), "zh|");
  EXPECT_EQ(parts("es-419"), "es|419");
  EXPECT_EQ(parts("de@euro"), "de|");
  EXPECT_EQ(parts("sr_RS.UTF-8@latin"), "sr|RS");
  EXPECT_EQ(parts("C.UTF-8"), "C|");
  EXPECT_EQ(parts(""), "|");
}

TEST(LanguageMatchTest, TheRegionWinsWhereTheProgramHasItElseTheLanguage) {
  EXPECT_EQ(Match({"zh_TW.UTF-8"}), "zh-TW");
  EXPECT_EQ(Match({"zh-Hant-TW"}), "zh-TW");
  EXPECT_EQ(Match({"zh_SG"}), "zh-CN");  // the first Chinese
  EXPECT_EQ(Match({"zh"}), "zh-CN");
  EXPECT_EQ(Match({"ZH-tw"}), "zh-TW");  // letter case does not matter
  EXPECT_EQ(Match({"pt_PT"}), "pt-BR");
  EXPECT_EQ(Match({"en-GB"}), "en-US");
}

TEST(LanguageMatchTest, TheFirstWantedLanguageTheProgramHasIsTaken) {
  EXPECT_EQ(Match({"fr-FR", "de", "zh-CN", "en"}), "zh-CN");
  EXPECT_EQ(Match({"en", "zh"}), "en-US");
  EXPECT_EQ(Match({"fr", "C", "POSIX", "", "english"}), "none");
  EXPECT_EQ(Match({}), "none");
  const std::string_view german[] = {"de_DE"};
  EXPECT_EQ(ChooseLanguage(kLanguages, german).tag, "en-US");
}

}  // namespace
}  // namespace rolvi::platform::widgets
