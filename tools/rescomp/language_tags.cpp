#include "language_tags.h"

#include <array>

namespace rolvi::rescomp {
namespace {

struct Primary {
  std::string_view name;
  std::uint16_t id;
  std::string_view code;  // ISO 639
};

// The primary languages of winnt.h that a translation is likely to be made for.
constexpr std::array kPrimaries = {
    Primary{"LANG_NEUTRAL", 0x00, ""},      Primary{"LANG_ARABIC", 0x01, "ar"},
    Primary{"LANG_BULGARIAN", 0x02, "bg"},  Primary{"LANG_CATALAN", 0x03, "ca"},
    Primary{"LANG_CHINESE", 0x04, "zh"},    Primary{"LANG_CZECH", 0x05, "cs"},
    Primary{"LANG_DANISH", 0x06, "da"},     Primary{"LANG_GERMAN", 0x07, "de"},
    Primary{"LANG_GREEK", 0x08, "el"},      Primary{"LANG_ENGLISH", 0x09, "en"},
    Primary{"LANG_SPANISH", 0x0A, "es"},    Primary{"LANG_FINNISH", 0x0B, "fi"},
    Primary{"LANG_FRENCH", 0x0C, "fr"},     Primary{"LANG_HEBREW", 0x0D, "he"},
    Primary{"LANG_HUNGARIAN", 0x0E, "hu"},  Primary{"LANG_ICELANDIC", 0x0F, "is"},
    Primary{"LANG_ITALIAN", 0x10, "it"},    Primary{"LANG_JAPANESE", 0x11, "ja"},
    Primary{"LANG_KOREAN", 0x12, "ko"},     Primary{"LANG_DUTCH", 0x13, "nl"},
    Primary{"LANG_NORWEGIAN", 0x14, "nb"},  Primary{"LANG_POLISH", 0x15, "pl"},
    Primary{"LANG_PORTUGUESE", 0x16, "pt"}, Primary{"LANG_ROMANIAN", 0x18, "ro"},
    Primary{"LANG_RUSSIAN", 0x19, "ru"},    Primary{"LANG_CROATIAN", 0x1A, "hr"},
    Primary{"LANG_SLOVAK", 0x1B, "sk"},     Primary{"LANG_ALBANIAN", 0x1C, "sq"},
    Primary{"LANG_SWEDISH", 0x1D, "sv"},    Primary{"LANG_THAI", 0x1E, "th"},
    Primary{"LANG_TURKISH", 0x1F, "tr"},    Primary{"LANG_URDU", 0x20, "ur"},
    Primary{"LANG_INDONESIAN", 0x21, "id"}, Primary{"LANG_UKRAINIAN", 0x22, "uk"},
    Primary{"LANG_BELARUSIAN", 0x23, "be"}, Primary{"LANG_SLOVENIAN", 0x24, "sl"},
    Primary{"LANG_ESTONIAN", 0x25, "et"},   Primary{"LANG_LATVIAN", 0x26, "lv"},
    Primary{"LANG_LITHUANIAN", 0x27, "lt"}, Primary{"LANG_PERSIAN", 0x29, "fa"},
    Primary{"LANG_VIETNAMESE", 0x2A, "vi"}, Primary{"LANG_ARMENIAN", 0x2B, "hy"},
    Primary{"LANG_BASQUE", 0x2D, "eu"},     Primary{"LANG_MACEDONIAN", 0x2F, "mk"},
    Primary{"LANG_AFRIKAANS", 0x36, "af"},  Primary{"LANG_GEORGIAN", 0x37, "ka"},
    Primary{"LANG_HINDI", 0x39, "hi"},      Primary{"LANG_IRISH", 0x3C, "ga"},
    Primary{"LANG_MALAY", 0x3E, "ms"},      Primary{"LANG_KAZAKH", 0x3F, "kk"},
    Primary{"LANG_SWAHILI", 0x41, "sw"},    Primary{"LANG_BENGALI", 0x45, "bn"},
    Primary{"LANG_TAMIL", 0x49, "ta"},      Primary{"LANG_WELSH", 0x52, "cy"},
    Primary{"LANG_GALICIAN", 0x56, "gl"},
};

struct Sub {
  std::string_view name;
  std::uint16_t primary;  // 0 for the sublanguages every primary language has
  std::uint16_t id;
  std::string_view tag;  // the whole tag; empty where the primary language's code alone is it
};

constexpr std::array kSubs = {
    Sub{"SUBLANG_NEUTRAL", 0, 0x00, ""},
    Sub{"SUBLANG_DEFAULT", 0, 0x01, ""},
    Sub{"SUBLANG_SYS_DEFAULT", 0, 0x02, ""},
    Sub{"SUBLANG_CHINESE_TRADITIONAL", 0x04, 0x01, "zh-TW"},
    Sub{"SUBLANG_CHINESE_SIMPLIFIED", 0x04, 0x02, "zh-CN"},
    Sub{"SUBLANG_CHINESE_HONGKONG", 0x04, 0x03, "zh-HK"},
    Sub{"SUBLANG_CHINESE_SINGAPORE", 0x04, 0x04, "zh-SG"},
    Sub{"SUBLANG_CHINESE_MACAU", 0x04, 0x05, "zh-MO"},
    Sub{"SUBLANG_ENGLISH_US", 0x09, 0x01, "en-US"},
    Sub{"SUBLANG_ENGLISH_UK", 0x09, 0x02, "en-GB"},
    Sub{"SUBLANG_ENGLISH_AUS", 0x09, 0x03, "en-AU"},
    Sub{"SUBLANG_ENGLISH_CAN", 0x09, 0x04, "en-CA"},
    Sub{"SUBLANG_ENGLISH_NZ", 0x09, 0x05, "en-NZ"},
    Sub{"SUBLANG_ENGLISH_EIRE", 0x09, 0x06, "en-IE"},
    Sub{"SUBLANG_ENGLISH_SOUTH_AFRICA", 0x09, 0x07, "en-ZA"},
    Sub{"SUBLANG_ENGLISH_INDIA", 0x09, 0x10, "en-IN"},
    Sub{"SUBLANG_GERMAN", 0x07, 0x01, "de-DE"},
    Sub{"SUBLANG_GERMAN_SWISS", 0x07, 0x02, "de-CH"},
    Sub{"SUBLANG_GERMAN_AUSTRIAN", 0x07, 0x03, "de-AT"},
    Sub{"SUBLANG_FRENCH", 0x0C, 0x01, "fr-FR"},
    Sub{"SUBLANG_FRENCH_BELGIAN", 0x0C, 0x02, "fr-BE"},
    Sub{"SUBLANG_FRENCH_CANADIAN", 0x0C, 0x03, "fr-CA"},
    Sub{"SUBLANG_FRENCH_SWISS", 0x0C, 0x04, "fr-CH"},
    Sub{"SUBLANG_SPANISH", 0x0A, 0x01, "es-ES"},
    Sub{"SUBLANG_SPANISH_MEXICAN", 0x0A, 0x02, "es-MX"},
    Sub{"SUBLANG_SPANISH_MODERN", 0x0A, 0x03, "es-ES"},
    Sub{"SUBLANG_PORTUGUESE_BRAZILIAN", 0x16, 0x01, "pt-BR"},
    Sub{"SUBLANG_PORTUGUESE", 0x16, 0x02, "pt-PT"},
    Sub{"SUBLANG_ITALIAN", 0x10, 0x01, "it-IT"},
    Sub{"SUBLANG_DUTCH", 0x13, 0x01, "nl-NL"},
    Sub{"SUBLANG_DUTCH_BELGIAN", 0x13, 0x02, "nl-BE"},
    Sub{"SUBLANG_JAPANESE_JAPAN", 0x11, 0x01, "ja-JP"},
    Sub{"SUBLANG_KOREAN", 0x12, 0x01, "ko-KR"},
    Sub{"SUBLANG_RUSSIAN_RUSSIA", 0x19, 0x01, "ru-RU"},
    Sub{"SUBLANG_POLISH_POLAND", 0x15, 0x01, "pl-PL"},
    Sub{"SUBLANG_SWEDISH", 0x1D, 0x01, "sv-SE"},
    Sub{"SUBLANG_NORWEGIAN_BOKMAL", 0x14, 0x01, "nb-NO"},
    Sub{"SUBLANG_NORWEGIAN_NYNORSK", 0x14, 0x02, "nn-NO"},
    Sub{"SUBLANG_CZECH_CZECH_REPUBLIC", 0x05, 0x01, "cs-CZ"},
    Sub{"SUBLANG_DANISH_DENMARK", 0x06, 0x01, "da-DK"},
    Sub{"SUBLANG_FINNISH_FINLAND", 0x0B, 0x01, "fi-FI"},
    Sub{"SUBLANG_GREEK_GREECE", 0x08, 0x01, "el-GR"},
    Sub{"SUBLANG_HUNGARIAN_HUNGARY", 0x0E, 0x01, "hu-HU"},
    Sub{"SUBLANG_TURKISH_TURKEY", 0x1F, 0x01, "tr-TR"},
    Sub{"SUBLANG_UKRAINIAN_UKRAINE", 0x22, 0x01, "uk-UA"},
};

}  // namespace

std::optional<std::uint32_t> LanguageConstant(std::string_view name) {
  for (const Primary& primary : kPrimaries) {
    if (primary.name == name) return primary.id;
  }
  for (const Sub& sub : kSubs) {
    if (sub.name == name) return sub.id;
  }
  return std::nullopt;
}

std::optional<std::string> LanguageTag(std::uint16_t language) {
  const std::uint16_t primary_id = language & 0x3FF;
  const std::uint16_t sub_id = language >> 10;
  for (const Primary& primary : kPrimaries) {
    if (primary.id != primary_id || primary.code.empty()) continue;
    for (const Sub& sub : kSubs) {
      if (sub.primary == primary_id && sub.id == sub_id) return std::string(sub.tag);
    }
    return std::string(primary.code);
  }
  return std::nullopt;
}

}  // namespace rolvi::rescomp
