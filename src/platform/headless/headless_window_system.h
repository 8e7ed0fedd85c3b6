// A window system without a display: the main window's client area is a software surface,
// pauses advance a virtual clock, dialogs run their handlers at once and a dialog that asks for
// text is answered from a queue. The replay driver and the end-to-end tests play whole games
// on it.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/software/soft_surface.h"
#include "platform/window_system.h"

namespace rolvi::platform {

// Told about everything a player would see or hear besides the main window's pixels.
class HeadlessObserver {
 public:
  virtual ~HeadlessObserver() = default;
  virtual void OnBeep() {}
  virtual void OnMessageBox(std::string_view /*gbk_text*/, std::string_view /*gbk_caption*/) {}
  virtual void OnProblem(std::string_view /*gbk_text*/, std::string_view /*gbk_caption*/) {}
  virtual void OnDialog(int /*dialog*/) {}
  virtual void OnStatsRefresh() {}
  // Every pause of an animation, after the clock has advanced.
  virtual void OnPause() {}
};

// Thrown when a dialog asks for text and no answer is queued.
class NoQueuedAnswer : public std::runtime_error {
 public:
  NoQueuedAnswer() : std::runtime_error("a dialog asked for text and no answer was queued") {}
};

class HeadlessWindowSystem final : public WindowSystem {
 public:
  HeadlessWindowSystem(Size client, std::uint32_t tick_count, FileSystem& files);
  ~HeadlessWindowSystem() override;

  // The handlers this window system drives; set before Create().
  void Attach(WindowHandlers& handlers) { handlers_ = &handlers; }
  void SetObserver(HeadlessObserver* observer) { observer_ = observer; }
  // A touch screen's window system (the client fills the screen, the menu is a button the
  // handlers place); set before Create().
  void SetTouchScreen(bool touch) { touch_ = touch; }
  const Rect& menu_button() const { return menu_button_; }

  // The program's start: creation, the first size, the first paint.
  void Create();
  // A side outside 0 to kMaxClientSide is refused (false) and changes nothing, as a real window
  // cannot be made larger either; the size given at construction is limited to that range.
  bool Resize(int client_width, int client_height);
  void Paint();
  // A key for the client area, as a window system hands it over when nothing else takes it;
  // a minimised window takes none.
  void PressKey(ClientKey key);
  void Minimise();
  void Restore();
  // Serves what the event loop would serve between messages: the statistics window's repaint.
  void ServePendingRepaints();
  void Destroy();

  SoftSurface& surface() { return surface_; }
  SoftSurface* stats_surface() { return stats_surface_.get(); }
  std::int64_t clock_ms() const { return clock_ms_; }
  bool destroyed() const { return destroyed_; }
  // Whether the window set the check mark of a menu item (none is set at start).
  bool menu_checked(int command) const;
  // Answers for the dialogs that ask for text, GBK; taken in order, a refused one is followed
  // by the next.
  std::deque<std::string>& name_answers() { return name_answers_; }

  // WindowSystem
  Surface* StartDrawing() override { return minimised_ ? nullptr : &surface_; }
  Size ClientSize() const override { return minimised_ ? Size{} : client_; }
  Rect WindowRect() const override;
  Size ScreenSize() const override { return {1024, 768}; }
  std::uint32_t TickCount() override { return tick_count_; }
  void Pause(int milliseconds) override {
    clock_ms_ += milliseconds;
    if (observer_) observer_->OnPause();
  }
  bool Beep() override;
  void SetMenuCheck(int command, bool checked) override;
  void StartTimer(int period_ms) override { timer_period_ms_ = period_ms; }
  void StopTimer() override { timer_period_ms_ = 0; }
  void DestroyMainWindow() override;
  void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                      MessageIcon icon) override;
  void RunModalDialog(int dialog, DialogHandler& handler) override;
  bool OpenModelessDialog(int dialog, DialogHandler& handler) override;
  void CloseModelessDialog() override;
  void InvalidateModelessDialog() override { stats_dirty_ = true; }
  FileSystem& Files() override { return files_; }
  bool TouchScreen() const override { return touch_; }
  void PlaceMenuButton(const Rect& client_rect) override { menu_button_ = client_rect; }
  void ReportProblem(std::string_view gbk_text, std::string_view gbk_caption) override;

  int timer_period_ms() const { return timer_period_ms_; }
  // The texts of the problems reported so far, in order.
  const std::vector<std::string>& problems() const { return problems_; }

 private:
  class Dialog;

  void AnswerFromQueue(Dialog& dialog, int field, DialogHandler& handler);

  WindowHandlers* handlers_ = nullptr;
  HeadlessObserver* observer_ = nullptr;
  FileSystem& files_;
  Size client_;
  SoftSurface surface_;
  std::uint32_t tick_count_;
  std::int64_t clock_ms_ = 0;
  bool minimised_ = false;
  bool destroyed_ = false;
  int timer_period_ms_ = 0;
  std::set<int> checked_commands_;  // the menu items whose check mark the window has set
  std::deque<std::string> name_answers_;
  DialogHandler* stats_handler_ = nullptr;
  std::unique_ptr<Dialog> stats_dialog_;
  std::unique_ptr<SoftSurface> stats_surface_;
  bool stats_dirty_ = false;
  bool touch_ = false;
  Rect menu_button_;
  std::vector<std::string> problems_;
};

}  // namespace rolvi::platform
