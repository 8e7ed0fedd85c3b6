#include "platform/web/browser_page.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// What the page's script writes for one event: the numbers, then the key's code and value
// (UTF-8) and what it types (GBK), each in a fixed field.
struct RawEvent {
  std::int32_t kind;
  std::int32_t window;
  std::int32_t x;
  std::int32_t y;
  std::int32_t modifiers;
  std::int32_t repeat;
  std::int32_t text_length;
  std::array<char, 32> code;
  std::array<char, 32> key;
  std::array<char, 16> text;
};

// clang-format off
EM_JS(double, rolvi_now, (), { return rolviPage.now(); });
EM_JS(int, rolvi_next_event, (void* raw), { return rolviPage.nextEvent(raw) ? 1 : 0; });
EM_ASYNC_JS(void, rolvi_wait, (int timeout_ms), { await rolviPage.wait(timeout_ms); });
EM_JS(void, rolvi_set_desk, (int left, int top, int right, int bottom), {
  rolviPage.setDesk(left, top, right, bottom);
});
EM_JS(int, rolvi_open_window, (int width, int height), {
  return rolviPage.openWindow(width, height);
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
EM_JS(void, rolvi_present, (int window, const void* rgba, int width, int height), {
  rolviPage.present(window, HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});
EM_JS(void, rolvi_set_title, (const char* utf8, int length), {
  rolviPage.setTitle(UTF8ToString(utf8, length));
});
EM_JS(int, rolvi_chime, (), { return rolviPage.chime() ? 1 : 0; });
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
  return rolviPage.storageWrite(UTF8ToString(key), UTF8ToString(value)) ? 1 : 0;
});
// clang-format on

std::string Field(const std::array<char, 32>& field) {
  return std::string(field.data(), strnlen(field.data(), field.size()));
}

}  // namespace

namespace rolvi::platform::web {

std::uint32_t BrowserPage::Now() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(rolvi_now()));
}

bool BrowserPage::NextEvent(PageEvent& event) {
  RawEvent raw{};
  if (rolvi_next_event(&raw) == 0) return false;
  event = PageEvent{};
  event.kind = static_cast<PageEvent::Kind>(raw.kind);
  event.window = raw.window;
  event.x = raw.x;
  event.y = raw.y;
  event.modifiers = raw.modifiers;
  event.repeat = raw.repeat != 0;
  event.code = Field(raw.code);
  event.key = Field(raw.key);
  const auto length =
      static_cast<std::size_t>(std::clamp<std::int32_t>(raw.text_length, 0, raw.text.size()));
  event.text.assign(raw.text.data(), length);
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

int BrowserPage::OpenWindow(Size size) {
  return rolvi_open_window(size.width, size.height);
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

void BrowserPage::Present(int window, std::span<const std::uint32_t> rgba, Size size) {
  if (rgba.size() < static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height)) {
    return;
  }
  rolvi_present(window, rgba.data(), size.width, size.height);
}

void BrowserPage::SetTitle(std::string_view utf8_title) {
  rolvi_set_title(utf8_title.data(), static_cast<int>(utf8_title.size()));
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

bool BrowserStorage::Write(std::string_view key, std::string_view value) {
  return rolvi_storage_write(std::string(key).c_str(), std::string(value).c_str()) != 0;
}

}  // namespace rolvi::platform::web
