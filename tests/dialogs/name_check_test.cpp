#include "dialogs/name_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/gbk/gbk_text.h"
#include "records/record_book.h"
#include "support/program_assets.h"

namespace rolvi::dialogs {
namespace {

using platform::GbkToUtf8;
using records::NameBuffer;
using records::NameText;
using namespace std::string_view_literals;

TEST(ValidateNameTest, VerdictsOnWhatTheDialogReads) {
  const std::string long_tail = std::string(4000, 'x') + "\xB9\xFA";
  const struct {
    std::string_view text;
    NameVerdict verdict;
  } cases[] = {
      {"", NameVerdict::kEmpty},
      {"\0abc"sv, NameVerdict::kEmpty},
      {"ABCDEFGHIJKLMN", NameVerdict::kTooLong},
      {"\x80", NameVerdict::kNotLatin},
      {"King \xB9\xFA", NameVerdict::kNotLatin},  // a GBK 国
      {"abcdefghijkl\xFF", NameVerdict::kNotLatin},
      // Too long wins over not Latin.
      {"\xB9\xFA\xB9\xFA\xB9\xFA\xB9\xFA\xB9\xFA\xB9\xFA\xB9\xFA", NameVerdict::kTooLong},
      // Only the first 15 bytes are read: what lies after them changes nothing.
      {"ABCDEFGHIJKLMNO\0"sv, NameVerdict::kTooLong},
      {long_tail, NameVerdict::kTooLong},
  };
  for (const auto& c : cases) {
    NameBuffer lastName = records::kInitialLastName;
    EXPECT_EQ(ValidateName(c.text, lastName), c.verdict) << c.text.substr(0, 20);
    EXPECT_EQ(lastName, records::kInitialLastName) << "a refused name was stored";
  }
}

TEST(ValidateNameTest, AnAcceptedNameReplacesTheWholeBufferWithItsTerminator) {
  // Thirteen bytes is the longest name; every byte below 0x80 is Latin; a zero inside the
  // first 15 bytes ends the text there.
  for (const std::string_view name : {"ABCDEFGHIJKLM"sv, "\x7F~ !"sv, "Bob\0\xB9\xFA long"sv}) {
    NameBuffer lastName = records::kInitialLastName;
    ASSERT_EQ(ValidateName(name, lastName), NameVerdict::kAccepted) << name;
    NameBuffer expected{};
    const std::string_view stored = name.substr(0, name.find('\0'));
    std::copy(stored.begin(), stored.end(), expected.begin());
    EXPECT_EQ(lastName, expected) << name;
  }
}

// Each refusal has its own message, and the program's are the Chinese ones with their blanks.
TEST(NameVerdictMessageTest, EachRefusalShowsItsOwnText) {
  const NameCheckTexts& texts = testing::ProgramTexts().name_check;
  EXPECT_TRUE(NameVerdictMessage(NameVerdict::kAccepted, texts).empty());
  EXPECT_EQ(GbkToUtf8(NameVerdictMessage(NameVerdict::kEmpty, texts)),
            "你应该输入姓名" + std::string(10, ' '));
  EXPECT_EQ(GbkToUtf8(NameVerdictMessage(NameVerdict::kTooLong, texts)),
            "姓名太长" + std::string(5, ' '));
  EXPECT_EQ(GbkToUtf8(NameVerdictMessage(NameVerdict::kNotLatin, texts)),
            "你只能用拉丁字母" + std::string(17, ' '));
  EXPECT_EQ(GbkToUtf8(texts.caption), "错 误");
}

}  // namespace
}  // namespace rolvi::dialogs
