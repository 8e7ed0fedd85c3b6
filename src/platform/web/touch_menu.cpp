#include "platform/web/touch_menu.h"

#include "platform/widgets/menu_bar.h"

namespace rolvi::platform::web {

std::string HexString(std::string_view gbk) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string hex = "\"";
  for (const char c : gbk) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex + "\"";
}

std::string MenuJson(std::span<const widgets::MenuData> menus,
                     const std::function<bool(int command)>& checked) {
  std::string json = "[";
  for (const widgets::MenuData& menu : menus) {
    if (json.size() > 1) json += ',';
    json.append("{\"title\":").append(HexString(menu.title)).append(",\"items\":[");
    bool first = true;
    for (const widgets::MenuItemData& item : menu.items) {
      if (!first) json += ',';
      first = false;
      if (item.separator) {
        json += "{\"separator\":true}";
        continue;
      }
      json.append("{\"text\":")
          .append(HexString(widgets::MenuItemName(item.text)))
          .append(",\"command\":")
          .append(std::to_string(item.command))
          .append(",\"checked\":")
          .append(checked(item.command) ? "true" : "false")
          .append("}");
    }
    json += "]}";
  }
  return json + "]";
}

}  // namespace rolvi::platform::web
