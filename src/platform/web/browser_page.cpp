#include "platform/web/browser_page.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// clang-format off
EM_JS(double, rolvi_now, (), { return rolviPage.now(); });
EM_JS(int, rolvi_next_event, (void* raw), { return rolviPage.nextEvent(raw) ? 1 : 0; });
EM_ASYNC_JS(void, rolvi_wait, (int timeout_ms), { await rolviPage.wait(timeout_ms); });
EM_JS(void, rolvi_set_desk, (int left, int top, int right, int bottom), {
  rolviPage.setDesk(left, top, right, bottom);
});
EM_JS(int, rolvi_open_window, (int width, int height, int kind), {
  return rolviPage.openWindow(width, height, kind);
});
EM_JS(void, rolvi_close_window, (int window), { rolviPage.closeWindow(window); });
EM_JS(void, rolvi_resize_window, (int window, int width, int height), {
  rolviPage.resizeWindow(window, width, height);
});
EM_JS(void, rolvi_place_window, (int window, int x, int y), {
  rolviPage.placeWindow(window, x, y);
});
EM_JS(void, rolvi_show_window, (int window, int shown), {
  rolviPage.showWindow(window, shown !== 0);
});
EM_JS(void, rolvi_present, (int window, const void* rgba, int width, int height, int left,
                            int top, int right, int bottom), {
  rolviPage.present(window, HEAPU8.subarray(rgba, rgba + width * height * 4), width, height,
                    left, top, right - left, bottom - top);
});
EM_JS(void, rolvi_set_title, (const char* gbk, int length), {
  rolviPage.setTitle(HEAPU8.slice(gbk, gbk + length));
});
EM_JS(void, rolvi_show_notice, (const char* gbk, int length), {
  rolviPage.showNotice(HEAPU8.slice(gbk, gbk + length));
});
EM_JS(int, rolvi_chime, (), { return rolviPage.chime() ? 1 : 0; });
EM_JS(int, rolvi_touch_screen, (), { return rolviPage.touchScreen() ? 1 : 0; });
EM_JS(int, rolvi_view_width, (), { return rolviPage.viewSize().width; });
EM_JS(int, rolvi_view_height, (), { return rolviPage.viewSize().height; });
EM_JS(void, rolvi_place_menu_button, (int window, int left, int top, int right, int bottom), {
  rolviPage.placeMenuButton(window, left, top, right - left, bottom - top);
});
EM_JS(void, rolvi_set_menu, (const char* json), { rolviPage.setMenu(UTF8ToString(json)); });
EM_JS(void, rolvi_set_menu_check, (int command, int checked), {
  rolviPage.setMenuCheck(command, checked !== 0);
});
EM_JS(void, rolvi_show_text_field, (int window, int left, int top, int right, int bottom,
                                    const char* gbk, int length), {
  rolviPage.showTextField(window, left, top, right - left, bottom - top,
                          HEAPU8.slice(gbk, gbk + length));
});
// The input's text as GBK bytes after a 4-byte length, in memory the caller frees.
EM_JS(void*, rolvi_text_field_text, (), {
  const bytes = rolviPage.textFieldText();
  const copy = _malloc(4 + bytes.length);
  if (copy) {
    HEAP32[copy >> 2] = bytes.length;
    HEAPU8.set(bytes, copy + 4);
  }
  return copy;
});
EM_JS(void, rolvi_show_closed, (), { rolviPage.showClosed(); });
EM_JS(char*, rolvi_storage_read, (const char* key), {
  const value = rolviPage.storageRead(UTF8ToString(key));
  if (value === null) return 0;
  const size = lengthBytesUTF8(value) + 1;
  const copy = _malloc(size);
  if (copy) stringToUTF8(value, copy, size);
  return copy;
});
EM_JS(int, rolvi_storage_write, (const char* key, const char* value), {
  return rolviPage.storageWrite(UTF8ToString(key), UTF8ToString(value));
});
// clang-format on

}  // namespace

namespace rolvi::platform::web {

bool BrowserPage::TouchScreen() {
  return rolvi_touch_screen() != 0;
}

Size BrowserPage::ViewSize() {
  return Size{rolvi_view_width(), rolvi_view_height()};
}

std::uint32_t BrowserPage::Now() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(rolvi_now()));
}

bool BrowserPage::NextEvent(PageEvent& event) {
  RawPageEvent raw{};
  if (rolvi_next_event(&raw) == 0) return false;
  event = DecodePageEvent(raw);
  return true;
}

void BrowserPage::WaitForEvent(int timeout_ms) {
  if (on_waiting_) on_waiting_();
  rolvi_wait(timeout_ms);
}

void BrowserPage::Sleep(int milliseconds) {
  emscripten_sleep(static_cast<unsigned>(std::max(0, milliseconds)));
}

void BrowserPage::SetDesk(const Rect& area) {
  rolvi_set_desk(area.left, area.top, area.right, area.bottom);
}

int BrowserPage::OpenWindow(Size size, PageWindowKind kind) {
  return rolvi_open_window(size.width, size.height, static_cast<int>(kind));
}

void BrowserPage::CloseWindow(int window) {
  rolvi_close_window(window);
}

void BrowserPage::ResizeWindow(int window, Size size) {
  rolvi_resize_window(window, size.width, size.height);
}

void BrowserPage::PlaceWindow(int window, Point at) {
  rolvi_place_window(window, at.x, at.y);
}

void BrowserPage::ShowWindow(int window) {
  rolvi_show_window(window, 1);
}

void BrowserPage::HideWindow(int window) {
  rolvi_show_window(window, 0);
}

void BrowserPage::Present(int window, std::span<const std::uint32_t> rgba, Size size,
                          const Rect& dirty) {
  if (rgba.size() < static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height)) {
    return;
  }
  const Rect part{std::max(dirty.left, 0), std::max(dirty.top, 0),
                  std::min(dirty.right, size.width), std::min(dirty.bottom, size.height)};
  if (part.left >= part.right || part.top >= part.bottom) return;
  rolvi_present(window, rgba.data(), size.width, size.height, part.left, part.top, part.right,
                part.bottom);
}

void BrowserPage::PlaceMenuButton(int window, const Rect& rect) {
  rolvi_place_menu_button(window, rect.left, rect.top, rect.right, rect.bottom);
}

void BrowserPage::SetMenu(std::string_view json) {
  rolvi_set_menu(std::string(json).c_str());
}

void BrowserPage::SetMenuCheck(int command, bool checked) {
  rolvi_set_menu_check(command, checked ? 1 : 0);
}

void BrowserPage::ShowTextField(int window, const Rect& rect, std::string_view gbk_text) {
  rolvi_show_text_field(window, rect.left, rect.top, rect.right, rect.bottom, gbk_text.data(),
                        static_cast<int>(gbk_text.size()));
}

std::string BrowserPage::TextFieldText() {
  const std::unique_ptr<void, decltype(&std::free)> copy(rolvi_text_field_text(), &std::free);
  if (copy == nullptr) return {};
  std::int32_t length = 0;
  std::memcpy(&length, copy.get(), sizeof length);
  return std::string(static_cast<const char*>(copy.get()) + sizeof length,
                     static_cast<std::size_t>(std::max<std::int32_t>(0, length)));
}

void BrowserPage::SetTitle(std::string_view gbk_title) {
  rolvi_set_title(gbk_title.data(), static_cast<int>(gbk_title.size()));
}

void BrowserPage::ShowNotice(std::string_view gbk_text) {
  rolvi_show_notice(gbk_text.data(), static_cast<int>(gbk_text.size()));
}

bool BrowserPage::Chime() {
  return rolvi_chime() != 0;
}

void BrowserPage::ShowClosed() {
  rolvi_show_closed();
}

std::optional<std::string> BrowserStorage::Read(std::string_view key) {
  const std::unique_ptr<char, decltype(&std::free)> value(
      rolvi_storage_read(std::string(key).c_str()), &std::free);
  if (value == nullptr) return std::nullopt;
  return std::string(value.get());
}

FileError BrowserStorage::Write(std::string_view key, std::string_view value) {
  // The page says 0 when it stored the value, 1 when the storage is full, 2 when disabled.
  switch (rolvi_storage_write(std::string(key).c_str(), std::string(value).c_str())) {
    case 0:
      return FileError::kNone;
    case 1:
      return FileError::kFull;
    default:
      return FileError::kDenied;
  }
}

}  // namespace rolvi::platform::web
