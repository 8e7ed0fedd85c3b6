#include "platform/win32/font_set.h"

#include <iterator>
#include <string_view>

namespace rolvi::platform::win32 {
namespace {

// Faces that show the program's Chinese texts, best first: the song face of a Chinese
// Windows, then faces found on other systems and under Wine.
constexpr std::wstring_view kChineseFaces[] = {
    L"SimSun",
    L"\x5B8B\x4F53",  // 宋体, SimSun's Chinese name
    L"NSimSun",
    L"Microsoft YaHei",
    L"WenQuanYi Micro Hei",
    L"\x6587\x6CC9\x9A7F\x5FAE\x7C73\x9ED1",  // 文泉驿微米黑
    L"WenQuanYi Zen Hei",
    L"Noto Sans CJK SC",
};

// Without any of them: the face the program was first drawn with.
constexpr std::wstring_view kFallbackFace = L"MS Sans Serif";

struct FaceSearch {
  std::size_t best = std::size(kChineseFaces);
};

int CALLBACK NoteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM context) {
  auto* search = reinterpret_cast<FaceSearch*>(context);
  const std::wstring_view face(font->lfFaceName);
  for (std::size_t i = 0; i < search->best; ++i) {
    if (face == kChineseFaces[i]) {
      search->best = i;
      break;
    }
  }
  return 1;
}

std::wstring_view ChooseFace() {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  FaceSearch search;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &query, NoteFace, reinterpret_cast<LPARAM>(&search), 0);
  ReleaseDC(nullptr, screen);
  return search.best < std::size(kChineseFaces) ? kChineseFaces[search.best] : kFallbackFace;
}

// `height` follows LOGFONT: positive is the cell height, negative the character height.
HFONT MakeFont(const std::wstring& face, int height, BYTE char_set) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = char_set;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

}  // namespace

FontSet::FontSet() : face_(ChooseFace()) {
  const BYTE char_set = face_ == kFallbackFace ? DEFAULT_CHARSET : GB2312_CHARSET;
  fonts_[static_cast<std::size_t>(Font::kMain)] = MakeFont(face_, 16, char_set);
  fonts_[static_cast<std::size_t>(Font::kDialog)] = MakeFont(face_, -12, char_set);
  // The statistics rows at 12 pixels: at 16, SimSun's 8-pixel digits make the longest row,
  // "81 (100%), 消除" with a three-digit tally, 144 pixels wide, and the window leaves 114.
  fonts_[static_cast<std::size_t>(Font::kList16)] = MakeFont(face_, -12, char_set);
  fonts_[static_cast<std::size_t>(Font::kList18)] = MakeFont(face_, -18, char_set);
  // SimSun's 12-pixel Latin letters are 6 pixels wide: 13 capitals take 78 of the plate's 90.
  fonts_[static_cast<std::size_t>(Font::kNamePlate)] = MakeFont(face_, -12, char_set);
}

FontSet::~FontSet() {
  for (HFONT font : fonts_) {
    if (font != nullptr) DeleteObject(font);
  }
}

}  // namespace rolvi::platform::win32
