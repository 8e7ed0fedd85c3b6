// The one conversion between the program's GBK texts and UTF-8, for the desktop back end, the
// resource compiler, the replay driver and the tests. Decoding never fails: bytes that are no
// GBK character show as U+FFFD. Encoding is all or nothing: the caller decides what to do.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rolvi::platform {

// The UTF-8 form of `gbk`; each byte that starts no GBK character (a stray trail byte, a lead
// byte cut off by the end or followed by no valid trail) becomes U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

// The GBK form of `utf8`; nothing when some character has no GBK form or the text is no
// valid UTF-8.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

}  // namespace rolvi::platform
