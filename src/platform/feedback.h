// What an animation or a refusal asks of the system while the game plays: a pause that shows
// what was drawn, the asterisk sound, and a modal message box. The window systems serve it
// along with their other services; tests record it on a virtual clock.
#pragma once

#include <string_view>

namespace rolvi::platform {

enum class MessageIcon { kNone, kExclamation };

class Feedback {
 public:
  virtual ~Feedback() = default;

  // Shows everything drawn so far, then blocks for `milliseconds`; input that arrives
  // meanwhile waits in order.
  virtual void Pause(int milliseconds) = 0;
  // The system's asterisk sound; false where no sound can be made (no audio device).
  virtual bool Beep() = 0;
  // Modal, owned by the main window; returns when dismissed. GBK texts.
  virtual void ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                              MessageIcon icon) = 0;
};

}  // namespace rolvi::platform
