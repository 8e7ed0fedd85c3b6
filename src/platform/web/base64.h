// Base64 (the standard alphabet, with padding), the form in which the page keeps the record
// file's bytes in its text-only storage.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rolvi::platform::web {

std::string EncodeBase64(std::span<const std::uint8_t> bytes);

// Nothing unless `text` is padded base64 as EncodeBase64 writes it: a length that is a whole
// number of 4-character groups, only the alphabet's characters, "=" only as the last one or
// two, and no stray bits in the last character before them.
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text);

}  // namespace rolvi::platform::web
