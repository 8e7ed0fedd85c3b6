// The program's own resources as its back end finds them, by their numbers: the strings of
// its string table and its bitmaps. Windows loads them from the program's resource section;
// the other back ends read the tables generated from the same script.
#pragma once

#include <string_view>

#include "platform/surface.h"

namespace rolvi::platform {

// What it hands out lives as long as the lookup and does not change.
class ResourceLookup {
 public:
  virtual ~ResourceLookup() = default;
  // String `id` as GBK bytes; empty when there is none.
  virtual std::string_view String(int id) const = 0;
  // Bitmap `id`; empty views when there is none.
  virtual DibView Bitmap(int id) const = 0;
};

}  // namespace rolvi::platform
