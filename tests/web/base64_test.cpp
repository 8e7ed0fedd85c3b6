#include "platform/web/base64.h"

#include <gtest/gtest.h>

namespace rolvi::platform::web {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(Base64Test, EncodesWholeAndPaddedGroups) {
  EXPECT_EQ(EncodeBase64(Bytes("")), "");
  EXPECT_EQ(EncodeBase64(Bytes("M")), "TQ==");
  EXPECT_EQ(EncodeBase64(Bytes("Ma")), "TWE=");
  EXPECT_EQ(EncodeBase64(Bytes("Man")), "TWFu");
  EXPECT_EQ(EncodeBase64(std::vector<std::uint8_t>{0xFB, 0xFF, 0xBF}), "+/+/");
}

TEST(Base64Test, EveryByteValueAndLengthComesBack) {
  for (std::size_t length = 0; length < 7; ++length) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < length; ++i)
      bytes.push_back(static_cast<std::uint8_t>(37 * i));
    EXPECT_EQ(DecodeBase64(EncodeBase64(bytes)), bytes) << length;
  }
  std::vector<std::uint8_t> all(256);
  for (int i = 0; i < 256; ++i)
    all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(DecodeBase64(EncodeBase64(all)), all);
}

TEST(Base64Test, RefusesWhatItWouldNotWrite) {
  for (const std::string_view bad :
       {"TQ=", "TWFuT", "TW u", "TW\nu", "T===", "TQ==TWFu", "TW=u", "=QWE", "TR==", "TWF="}) {
    EXPECT_EQ(DecodeBase64(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace rolvi::platform::web
