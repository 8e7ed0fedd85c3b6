// The fonts the program draws with, made once at start-up and shared by every drawing
// surface: the main window's 16-pixel font, the dialogs' 9-point font, the two list fonts and
// the name plates' font.
// Each uses the first installed face of a list of faces that carry the Chinese texts.
#pragma once

#include <array>
#include <string>

#include "platform/surface.h"
#include "platform/win32/win32_api.h"

namespace rolvi::platform::win32 {

class FontSet {
 public:
  FontSet();
  ~FontSet();
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;

  HFONT handle(Font font) const { return fonts_[static_cast<std::size_t>(font)]; }
  // The face the fonts were made with.
  const std::wstring& face() const { return face_; }

 private:
  std::wstring face_;
  std::array<HFONT, 5> fonts_{};
};

}  // namespace rolvi::platform::win32
