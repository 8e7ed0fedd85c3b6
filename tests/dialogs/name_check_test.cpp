#include "dialogs/name_check.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/gbk/gbk_text.h"
#include "records/record_book.h"

namespace rolvi::dialogs {
namespace {

using platform::GbkToUtf8;
using records::NameBuffer;
using records::NameText;
using namespace std::string_view_literals;

TEST(NameCheckTextsTest, MessagesAndCaptionDecodeToTheirChineseTexts) {
  EXPECT_EQ(GbkToUtf8(kNameErrorCaption), "错 误");
  EXPECT_EQ(GbkToUtf8(NameVerdictMessage(NameVerdict::kEmpty)),
            "你应该输入姓名" + std::string(10, ' '));
  EXPECT_EQ(GbkToUtf8(NameVerdictMessage(NameVerdict::kTooLong)), "姓名太长" + std::string(5, ' '));
  EXPECT_EQ(GbkToUtf8(NameVerdictMessage(NameVerdict::kNotLatin)),
            "你只能用拉丁字母" + std::string(17, ' '));
  EXPECT_TRUE(NameVerdictMessage(NameVerdict::kAccepted).empty());
}

class ValidateNameTest : public ::testing::Test {
 protected:
  NameBuffer lastName = records::kInitialLastName;
};

TEST_F(ValidateNameTest, RejectedNamesLeaveTheLastNameAlone) {
  EXPECT_EQ(ValidateName("", lastName), NameVerdict::kEmpty);
  EXPECT_EQ(ValidateName("\0abc"sv, lastName), NameVerdict::kEmpty);
  EXPECT_EQ(ValidateName("ABCDEFGHIJKLMN", lastName), NameVerdict::kTooLong);
  EXPECT_EQ(ValidateName("Caf\xE9", lastName), NameVerdict::kNotLatin);
  EXPECT_EQ(lastName, records::kInitialLastName);
  // Thirteen bytes is the longest name accepted.
  EXPECT_EQ(ValidateName("ABCDEFGHIJKLM", lastName), NameVerdict::kAccepted);
  EXPECT_EQ(NameText(lastName), "ABCDEFGHIJKLM");
}

TEST_F(ValidateNameTest, AnyByteFromTheUpperHalfIsNotLatin) {
  EXPECT_EQ(ValidateName("\x80", lastName), NameVerdict::kNotLatin);
  EXPECT_EQ(ValidateName("King \xB9\xFA", lastName), NameVerdict::kNotLatin);  // a GBK 国
  EXPECT_EQ(ValidateName("abcdefghijkl\xFF", lastName), NameVerdict::kNotLatin);
  EXPECT_EQ(ValidateName("\x7F~ !", lastName), NameVerdict::kAccepted);
  EXPECT_EQ(NameText(lastName), "\x7F~ !");
}

TEST_F(ValidateNameTest, TooLongWinsOverNotLatin) {
  EXPECT_EQ(ValidateName("\xB9\xFA\xB9\xFA\xB9\xFA\xB9\xFA\xB9\xFA\xB9\xFA\xB9\xFA", lastName),
            NameVerdict::kTooLong);
  EXPECT_EQ(ValidateName("\xC4"
                         "bcdefghijklmn",
                         lastName),
            NameVerdict::kTooLong);
}

TEST_F(ValidateNameTest, OnlyTheFirstFifteenBytesAreRead) {
  // A zero or a non-Latin byte past the 15th cannot change the verdict on what was read.
  EXPECT_EQ(ValidateName("ABCDEFGHIJKLMNO\0"sv, lastName), NameVerdict::kTooLong);
  EXPECT_EQ(ValidateName(std::string(4000, 'x') + "\xB9\xFA", lastName), NameVerdict::kTooLong);
  // A zero inside the first 15 bytes ends the text there.
  EXPECT_EQ(ValidateName("Bob\0\xB9\xFA long tail"sv, lastName), NameVerdict::kAccepted);
  EXPECT_EQ(NameText(lastName), "Bob");
}

TEST_F(ValidateNameTest, AnAcceptedNameReplacesTheWholeBufferWithItsTerminator) {
  ASSERT_EQ(ValidateName("Jo", lastName), NameVerdict::kAccepted);
  NameBuffer expected{};
  expected[0] = 'J';
  expected[1] = 'o';
  EXPECT_EQ(lastName, expected);
}

}  // namespace
}  // namespace rolvi::dialogs
