// The languages a resource script may name: the LANG_* and SUBLANG_* constants of its LANGUAGE
// statements with their Windows numbers, and the language tag (BCP 47, "zh-CN", "en-US") that
// each language number stands for, which the generated tables carry so that a program can
// match a locale against the languages it has.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rolvi::rescomp {

// The value of a LANG_* or SUBLANG_* constant; nothing for another name.
std::optional<std::uint32_t> LanguageConstant(std::string_view name);

// The tag of a language number (MAKELANGID: the primary language in the low 10 bits): the
// primary language's code, with the region of the sublanguage where it names one ("zh-CN"
// for 0x0804, "de" for 0x0007). Nothing for language 0 or a primary language this table
// does not know.
std::optional<std::string> LanguageTag(std::uint16_t language);

}  // namespace rolvi::rescomp
