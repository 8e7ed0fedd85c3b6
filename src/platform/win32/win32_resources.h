// The program's strings and bitmaps from its own resource section, by number: every string of
// the string table loaded once, at start, with LoadStringW in the language Windows picks for
// the user, and kept as GBK; a bitmap is a view of the section itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/resource_lookup.h"
#include "platform/win32/win32_api.h"

namespace rolvi::platform::win32 {

class Win32ResourceLookup final : public ResourceLookup {
 public:
  explicit Win32ResourceLookup(HINSTANCE instance);

  std::string_view String(int id) const override;
  DibView Bitmap(int id) const override;

 private:
  struct Entry {
    int id = 0;
    std::size_t offset = 0;  // into bytes_
    std::size_t length = 0;
  };

  HINSTANCE instance_;
  std::string bytes_;           // every string's GBK bytes, one after another
  std::vector<Entry> entries_;  // in the order of their numbers
};

}  // namespace rolvi::platform::win32
