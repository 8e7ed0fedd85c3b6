// WebWindowSystem::Describe: what the page's tests read of the windows, as JSON.
#include <string>

#include "platform/web/touch_menu.h"
#include "platform/web/web_window_system.h"

namespace rolvi::platform::web {
namespace {

std::string Numbers(std::initializer_list<int> values) {
  std::string text = "[";
  for (const int value : values) {
    if (text.size() > 1) text += ',';
    text += std::to_string(value);
  }
  return text + "]";
}

std::string Bool(bool value) {
  return value ? "true" : "false";
}

// Appends the pieces in order. (Joining them with + on a leading literal makes GCC 12 see
// overlapping copies that are not there, with hardening flags.)
template <typename... Pieces>
void Append(std::string& json, const Pieces&... pieces) {
  (json.append(pieces), ...);
}

void AppendWindowFields(std::string& json, const PageWindow& window) {
  const Rect outer = window.OuterRect();
  const Rect content = window.layout().content;
  Append(json, "\"id\":", std::to_string(window.id()), ",\"caption\":", HexString(window.caption()),
         ",\"rect\":", Numbers({outer.left, outer.top, outer.right, outer.bottom}),
         ",\"content\":", Numbers({content.left, content.top, content.right, content.bottom}),
         ",\"shown\":", Bool(window.shown()), ",\"active\":", Bool(window.active()),
         ",\"closeBox\":",
         Numbers({window.layout().close_box.left, window.layout().close_box.top,
                  window.layout().close_box.right, window.layout().close_box.bottom}));
}

// The rectangles of the dialog's buttons and edit fields, in its canvas pixels.
void AppendControls(std::string& json, const widgets::DialogModel& model, const Rect& content) {
  for (const widgets::ControlRole role :
       {widgets::ControlRole::kPushButton, widgets::ControlRole::kEdit}) {
    json += role == widgets::ControlRole::kPushButton ? ",\"buttons\":[" : ",\"fields\":[";
    bool first = true;
    for (const widgets::DialogControl& control : model.controls()) {
      if (control.role != role) continue;
      if (!first) json += ',';
      first = false;
      json += Numbers({content.left + control.rect.left, content.top + control.rect.top,
                       content.left + control.rect.right, content.top + control.rect.bottom});
    }
    json += ']';
  }
}

}  // namespace

std::string WebWindowSystem::Describe() const {
  std::string json = "{\"main\":{";
  AppendWindowFields(json, *Find(main_window()));
  Append(json, ",\"bar\":", std::to_string(bar_height()), "},\"menu\":{\"mode\":");
  switch (menu().mode()) {
    case widgets::MenuBar::Mode::kClosed:
      json += "\"closed\"";
      break;
    case widgets::MenuBar::Mode::kBarFocus:
      json += "\"bar\"";
      break;
    case widgets::MenuBar::Mode::kOpen:
      json += "\"open\"";
      break;
  }
  Append(json, ",\"popup\":", std::to_string(menu().active_popup()),
         ",\"item\":", std::to_string(menu().active_item()), ",\"titles\":[");
  for (int i = 0; i < menu().popup_count(); ++i) {
    const Rect title = menu().TitleRect(i);
    if (i > 0) json += ',';
    json += Numbers({title.left, title.top, title.right, title.bottom});
  }
  // The open drop-down's items, in the main window's content pixels.
  json += "],\"items\":[";
  if (const auto drop_down = menu().DropDownRect()) {
    const std::size_t popup = static_cast<std::size_t>(menu().active_popup());
    const auto& items = tables().menu[popup].items;
    for (std::size_t i = 0; i < items.size(); ++i) {
      const Rect item = menu().ItemRect(static_cast<int>(i));
      if (i > 0) json += ',';
      Append(json, "{\"command\":", std::to_string(items[i].command), ",\"rect\":",
             Numbers({drop_down->left + item.left, drop_down->top + item.top,
                      drop_down->left + item.right, drop_down->top + item.bottom}),
             "}");
    }
  }
  json += "]},\"dialogs\":[";
  bool first = true;
  for (const Dialog* each : Dialogs()) {
    const Dialog& dialog = *each;
    const PageWindow* window = Find(dialog.id());
    if (window == nullptr) continue;  // its canvas could not be made
    if (!first) json += ',';
    first = false;
    json += '{';
    AppendWindowFields(json, *window);
    json += ",\"kind\":";
    switch (dialog.kind()) {
      case Dialog::Kind::kModal:
        json += "\"modal\"";
        break;
      case Dialog::Kind::kMessageBox:
        json += "\"message\"";
        break;
      case Dialog::Kind::kModeless:
        json += "\"modeless\"";
        break;
    }
    json += ",\"texts\":[";
    const auto& controls = dialog.model().controls();
    for (std::size_t c = 0; c < controls.size(); ++c) {
      if (c > 0) json += ',';
      json += HexString(controls[c].text);
    }
    json += "]";
    AppendControls(json, dialog.model(), window->layout().content);
    if (const widgets::EditField* edit = dialog.model().Edit()) {
      Append(json, ",\"edit\":", HexString(edit->text()));
    }
    json += "}";
  }
  Append(json, "],\"timer\":", Bool(timer_running()), "}");
  return json;
}

}  // namespace rolvi::platform::web
