// The Page and the key-value store of a real browser: each call goes to the page's script
// (web/page.js, the object rolviPage), and waits and sleeps let the browser run through
// Asyncify while the game's code stays where it is. Only the Emscripten build has it.
#pragma once

#include <functional>
#include <utility>

#include "platform/web/page.h"
#include "platform/web/storage_file_system.h"

namespace rolvi::platform::web {

class BrowserPage final : public Page {
 public:
  bool TouchScreen() override;
  Size ViewSize() override;
  std::uint32_t Now() override;
  bool NextEvent(PageEvent& event) override;
  void WaitForEvent(int timeout_ms) override;
  void Sleep(int milliseconds) override;
  void SetDesk(const Rect& area) override;
  int OpenWindow(Size size, PageWindowKind kind) override;
  void CloseWindow(int window) override;
  void ResizeWindow(int window, Size size) override;
  void PlaceWindow(int window, Point at) override;
  void ShowWindow(int window) override;
  void HideWindow(int window) override;
  void Present(int window, std::span<const std::uint32_t> rgba, Size size,
               const Rect& dirty) override;
  void PlaceMenuButton(int window, const Rect& rect) override;
  void SetMenu(std::string_view json) override;
  void SetMenuCheck(int command, bool checked) override;
  void ShowTextField(int window, const Rect& rect, std::string_view gbk_text) override;
  std::string TextFieldText() override;
  void SetTitle(std::string_view gbk_title) override;
  void ShowNotice(std::string_view gbk_text) override;
  bool Chime() override;
  void ShowClosed() override;

  // Called each time the program is about to wait for the player (a turn is done, a dialog
  // waits): the program's chance to tell the page what changed.
  void OnWaiting(std::function<void()> report) { on_waiting_ = std::move(report); }

 private:
  std::function<void()> on_waiting_;
};

// The browser's local storage; where it is disabled, nothing reads and no write succeeds.
class BrowserStorage final : public KeyValueStore {
 public:
  std::optional<std::string> Read(std::string_view key) override;
  FileError Write(std::string_view key, std::string_view value) override;
};

}  // namespace rolvi::platform::web
