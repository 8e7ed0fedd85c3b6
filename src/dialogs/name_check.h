// The name dialog's check of the typed name: empty, too long or not Latin gets a message box
// (GBK texts below, caption "错 误"); a valid name of 1 to 13 bytes below 0x80 is stored as
// the last name. Platform-free so that every front end validates alike.
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

// GBK "错 误" (Error).
inline constexpr std::string_view kNameErrorCaption = "\xB4\xED \xCE\xF3";
// GBK "你应该输入姓名" (You should enter a name) and 10 blanks.
inline constexpr std::string_view kEmptyNameMessage =
    "\xC4\xE3\xD3\xA6\xB8\xC3\xCA\xE4\xC8\xEB\xD0\xD5\xC3\xFB          ";
// GBK "姓名太长" (The name is too long) and 5 blanks.
inline constexpr std::string_view kNameTooLongMessage = "\xD0\xD5\xC3\xFB\xCC\xAB\xB3\xA4     ";
// GBK "你只能用拉丁字母" (You may only use Latin letters) and 17 blanks.
inline constexpr std::string_view kNameNotLatinMessage =
    "\xC4\xE3\xD6\xBB\xC4\xDC\xD3\xC3\xC0\xAD\xB6\xA1\xD7\xD6\xC4\xB8                 ";

// Checks the edit text as the dialog reads it: cut to 15 bytes and ending at a zero byte. The
// first failing check decides the verdict. Only an accepted name is copied, with its
// terminator, into `lastName`; otherwise `lastName` is left alone.
NameVerdict ValidateName(std::string_view edit_text, records::NameBuffer& lastName);

// The message box text for a rejected name (GBK); empty for an accepted one.
std::string_view NameVerdictMessage(NameVerdict verdict);

}  // namespace rolvi::dialogs
