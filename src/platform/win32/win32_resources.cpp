#include "platform/win32/win32_resources.h"

#include <algorithm>

#include "platform/dib_layout.h"
#include "platform/win32/win32_text.h"

namespace rolvi::platform::win32 {
namespace {

// A string table resource is a block of sixteen strings: block n holds numbers 16 (n - 1) to
// 16 n - 1.
constexpr int kStringsPerBlock = 16;

BOOL CALLBACK AddBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR blocks) {
  if (IS_INTRESOURCE(name)) {
    reinterpret_cast<std::vector<int>*>(blocks)->push_back(
        static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  }
  return TRUE;
}

}  // namespace

Win32ResourceLookup::Win32ResourceLookup(HINSTANCE instance) : instance_(instance) {
  std::vector<int> blocks;
  EnumResourceNamesW(instance, RT_STRING, &AddBlock, reinterpret_cast<LONG_PTR>(&blocks));
  for (const int block : blocks) {
    for (int i = 0; i < kStringsPerBlock; ++i) {
      const int id = (block - 1) * kStringsPerBlock + i;
      // With no buffer, LoadStringW hands out the resource's own text and its length.
      const wchar_t* text = nullptr;
      const int length =
          LoadStringW(instance, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
      if (length <= 0 || text == nullptr) continue;
      const std::string gbk = ToGbk(std::wstring_view(text, static_cast<std::size_t>(length)));
      entries_.push_back({id, bytes_.size(), gbk.size()});
      bytes_ += gbk;
    }
  }
  std::sort(entries_.begin(), entries_.end(),
            [](const Entry& a, const Entry& b) { return a.id < b.id; });
}

std::string_view Win32ResourceLookup::String(int id) const {
  const auto found = std::lower_bound(entries_.begin(), entries_.end(), id,
                                      [](const Entry& entry, int n) { return entry.id < n; });
  if (found == entries_.end() || found->id != id) return {};
  return std::string_view(bytes_).substr(found->offset, found->length);
}

DibView Win32ResourceLookup::Bitmap(int id) const {
  HRSRC found = FindResourceW(instance_, MAKEINTRESOURCEW(id), RT_BITMAP);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(instance_, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return DibFromPackedDib(std::span(static_cast<const std::uint8_t*>(bytes),
                                    static_cast<std::size_t>(SizeofResource(instance_, found))));
}

}  // namespace rolvi::platform::win32
