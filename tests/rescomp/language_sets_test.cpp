// The script's resources sorted into languages: each language takes its own resources and
// the neutral ones, the tags come from the language numbers, and what a translation lacks
// stops the build with a message that names it.
#include "language_sets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language_tags.h"
#include "rc_script.h"

namespace rolvi::rescomp {
namespace {

RcLanguageSets Group(const std::string& script, RcScript& parsed) {
  const RcParseResult result = ParseResourceScript(script);
  EXPECT_TRUE(result.ok) << result.error;
  parsed = result.script;
  return GroupByLanguage(parsed);
}

std::string Texts(const RcLanguageSet& set) {
  std::string texts;
  for (const RcString& string : set.strings)
    texts += std::to_string(string.id) + "=" + string.text + " ";
  return texts;
}

TEST(LanguageTagsTest, NumbersBecomeTagsWithTheRegionTheSublanguageNames) {
  EXPECT_EQ(LanguageTag(0x0804), "zh-CN");
  EXPECT_EQ(LanguageTag(0x0404), "zh-TW");
  EXPECT_EQ(LanguageTag(0x0409), "en-US");
  EXPECT_EQ(LanguageTag(0x0809), "en-GB");
  EXPECT_EQ(LanguageTag(0x0407), "de-DE");
  EXPECT_EQ(LanguageTag(0x0007), "de");  // SUBLANG_NEUTRAL: the language alone
  EXPECT_EQ(LanguageTag(0x0C07), "de-AT");
  EXPECT_EQ(LanguageTag(0x0411), "ja-JP");
  EXPECT_EQ(LanguageTag(0x0413), "nl-NL");
  EXPECT_EQ(LanguageTag(0x0C13), "nl");     // a sublanguage the table lacks
  EXPECT_EQ(LanguageTag(0x0814), "nn-NO");  // Nynorsk has a code of its own
  EXPECT_EQ(LanguageTag(0), std::nullopt);
  EXPECT_EQ(LanguageTag(0x0077), std::nullopt);
  EXPECT_EQ(LanguageConstant("LANG_FRENCH"), 0x0Cu);
  EXPECT_EQ(LanguageConstant("SUBLANG_FRENCH_CANADIAN"), 0x03u);
  EXPECT_EQ(LanguageConstant("LANG_KLINGON"), std::nullopt);
}

// Neutral resources join every language; the languages come in the order of their first
// resource, not of their numbers; a neutral string fills in only where the language has no
// string in its block of sixteen.
TEST(LanguageSetsTest, EachLanguageTakesItsOwnAndTheNeutralResources) {
  RcScript script;
  const RcLanguageSets sets = Group(R"(
LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL
2 DIALOG 0, 0, 1, 1
BEGIN
END
STRINGTABLE
BEGIN
  40 "neutral"
END
LANGUAGE LANG_GERMAN, SUBLANG_GERMAN
1 MENU
BEGIN
END
3 DIALOG 0, 0, 1, 1
BEGIN
END
STRINGTABLE
BEGIN
  16 "Hallo"
END
LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US
3 DIALOG 0, 0, 2, 2
BEGIN
END
1 MENU
BEGIN
END
STRINGTABLE
BEGIN
  16 "Hello"
END
)",
                                    script);
  ASSERT_TRUE(sets.ok) << sets.error;
  ASSERT_EQ(sets.sets.size(), 2u);
  const RcLanguageSet& german = sets.sets[0];
  const RcLanguageSet& english = sets.sets[1];
  EXPECT_EQ(german.tag, "de-DE");
  EXPECT_EQ(english.tag, "en-US");
  EXPECT_EQ(german.menu, &script.menus[0]);
  EXPECT_EQ(english.menu, &script.menus[1]);
  ASSERT_EQ(english.dialogs.size(), 2u);
  EXPECT_EQ(english.dialogs[0], &script.dialogs[0]);  // the neutral 2, first in the script
  EXPECT_EQ(english.dialogs[1]->width, 2);
  EXPECT_EQ(german.dialogs[0], &script.dialogs[0]);
  EXPECT_EQ(Texts(german), "16=Hallo 40=neutral ");
  EXPECT_EQ(Texts(english), "16=Hello 40=neutral ");
}

TEST(LanguageSetsTest, AScriptWithoutLanguagesIsOneSetWithoutATag) {
  RcScript script;
  const RcLanguageSets sets =
      Group("1 MENU\nBEGIN\nEND\nSTRINGTABLE\nBEGIN\n5 \"x\"\nEND\n", script);
  ASSERT_TRUE(sets.ok) << sets.error;
  ASSERT_EQ(sets.sets.size(), 1u);
  EXPECT_EQ(sets.sets[0].language, 0);
  EXPECT_EQ(sets.sets[0].tag, "");
  EXPECT_EQ(Texts(sets.sets[0]), "5=x ");
}

// What Windows would show empty or could not find is refused before anything is written.
TEST(LanguageSetsTest, WhatATranslationLacksIsNamed) {
  const std::string zh = "LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED\n";
  const std::string en = "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n";
  const std::string menu = "1 MENU\nBEGIN\nEND\n";
  const struct {
    std::string script;
    const char* error;
  } cases[] = {
      {zh + menu + en + "STRINGTABLE\nBEGIN\nEND\n", "the menu has no en-US version"},
      {en + menu + zh + menu + "4 DIALOG 0,0,1,1\nBEGIN\nEND\n", "dialog 4 has no en-US version"},
      {zh + "STRINGTABLE\nBEGIN\n16 \"a\"\n17 \"b\"\nEND\n" + en +
           "STRINGTABLE\nBEGIN\n16 \"a\"\nEND\n",
       "string 17 has no en-US text"},
      // The neutral 17 cannot stand in: English has a block of its own for 16 to 31.
      {"STRINGTABLE\nBEGIN\n17 \"n\"\nEND\n" + en + "STRINGTABLE\nBEGIN\n16 \"a\"\nEND\n",
       "string 17 has no en-US text"},
      {zh + menu + menu, "the menu is given twice in zh-CN"},
      {zh + menu + "2 MENU\nBEGIN\nEND\n", "the menus have two numbers"},
      {"LANGUAGE 0x77, 1\n" + menu, "language 0x0477 has no known tag"},
      {"LANGUAGE LANG_SPANISH, SUBLANG_SPANISH\n" + menu +
           "LANGUAGE LANG_SPANISH, SUBLANG_SPANISH_MODERN\n" + menu,
       "two languages have the tag es-ES"},
  };
  for (const auto& c : cases) {
    const RcParseResult parsed = ParseResourceScript(c.script);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const RcLanguageSets sets = GroupByLanguage(parsed.script);
    EXPECT_FALSE(sets.ok) << c.script;
    EXPECT_EQ(sets.error, c.error) << c.script;
  }
}

}  // namespace
}  // namespace rolvi::rescomp
