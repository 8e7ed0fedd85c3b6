// The languages the desktop program reads from the locale variables, in gettext's order, and
// the tables they choose among the program's languages.
#include "platform/sdl/locale_languages.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "platform/widgets/language_match.h"
#include "res/tables.h"

namespace rolvi::platform::sdl {
namespace {

using Wanted = std::vector<std::string_view>;

TEST(LocaleLanguagesTest, TheMessagesLocaleIsTheFirstSetOfLcAllLcMessagesAndLang) {
  EXPECT_EQ(WantedLanguages({}), Wanted{});
  EXPECT_EQ(WantedLanguages({.lang = "zh_CN.UTF-8"}), Wanted{"zh_CN.UTF-8"});
  EXPECT_EQ(WantedLanguages({.lc_messages = "de_DE", .lang = "zh_CN.UTF-8"}), Wanted{"de_DE"});
  EXPECT_EQ(WantedLanguages({.lc_all = "fr_FR", .lc_messages = "de_DE", .lang = "zh_CN"}),
            Wanted{"fr_FR"});
  EXPECT_EQ(WantedLanguages({.lc_all = "", .lc_messages = "", .lang = "zh_TW"}), Wanted{"zh_TW"});
}

// LANGUAGE comes first, a list best first, empty entries skipped; in the C or POSIX locale it
// is not read, and an entry C ends it.
TEST(LocaleLanguagesTest, LanguageListsTheWantedOnesUnlessTheLocaleIsC) {
  EXPECT_EQ(WantedLanguages({.language = "fr:zh_CN::en", .lang = "de_DE.UTF-8"}),
            (Wanted{"fr", "zh_CN", "en"}));
  EXPECT_EQ(WantedLanguages({.language = "zh", .lang = "C.UTF-8"}), Wanted{"zh"});
  EXPECT_EQ(WantedLanguages({.language = "zh"}), Wanted{});
  EXPECT_EQ(WantedLanguages({.language = "zh", .lang = "C"}), Wanted{});
  EXPECT_EQ(WantedLanguages({.language = "zh", .lc_all = "POSIX", .lang = "zh_CN"}), Wanted{});
  EXPECT_EQ(WantedLanguages({.language = "fr:C:zh", .lang = "en_US"}), Wanted{"fr"});
  EXPECT_EQ(WantedLanguages({.language = "", .lang = "zh_SG"}), Wanted{"zh_SG"});
}

// Every Chinese locale gives the Chinese tables, every other one and none the English.
TEST(LocaleLanguagesTest, ChineseLocalesChooseChineseAndEveryOtherEnglish) {
  const auto chosen = [](const LocaleVariables& variables) {
    return widgets::ChooseLanguage(res::Languages(), WantedLanguages(variables)).tag;
  };
  for (const char* chinese : {"zh", "zh_CN.UTF-8", "zh_SG", "zh_TW.Big5", "zh_HK.UTF-8@stroke"})
    EXPECT_EQ(chosen({.lang = chinese}), "zh-CN") << chinese;
  for (const char* other :
       {"en_US.UTF-8", "en_GB", "de_DE.UTF-8", "ja_JP", "C", "POSIX", "C.UTF-8", ""})
    EXPECT_EQ(chosen({.lang = other}), "en-US") << other;
  EXPECT_EQ(chosen({}), "en-US");
  EXPECT_EQ(chosen({.language = "en", .lang = "zh_CN.UTF-8"}), "en-US");
  EXPECT_EQ(chosen({.language = "ja:zh_TW:en", .lang = "en_US.UTF-8"}), "zh-CN");
  EXPECT_EQ(chosen({.language = "fr", .lang = "zh_CN.UTF-8"}), "en-US");  // as gettext does
}

}  // namespace
}  // namespace rolvi::platform::sdl
