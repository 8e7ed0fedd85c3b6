// The name dialog's check of the typed name: empty, too long or not Latin gets a message box
// with its text; a valid name of 1 to 13 bytes below 0x80 is stored as the last name.
// Platform-free so that every front end validates alike.
#pragma once

#include <cstddef>
#include <string_view>

#include "records/record_book.h"

namespace rolvi::dialogs {

// The edit field is read into a 16-byte buffer, so at most this much of its text is checked.
inline constexpr std::size_t kNameReadLimit = records::kNameBufferSize - 1;

enum class NameVerdict {
  kAccepted,
  kEmpty,     // nothing typed
  kTooLong,   // more than 13 bytes (checked before the characters)
  kNotLatin,  // a byte of 0x80 or above
};

// The refusals' message box texts and their caption (GBK).
struct NameCheckTexts {
  std::string_view caption;
  std::string_view empty;
  std::string_view too_long;
  std::string_view not_latin;
};

// Checks the edit text as the dialog reads it: cut to 15 bytes and ending at a zero byte. The
// first failing check decides the verdict. Only an accepted name is copied, with its
// terminator, into `lastName`; otherwise `lastName` is left alone.
NameVerdict ValidateName(std::string_view edit_text, records::NameBuffer& lastName);

// The message box text for a rejected name; empty for an accepted one.
std::string_view NameVerdictMessage(NameVerdict verdict, const NameCheckTexts& texts);

}  // namespace rolvi::dialogs
