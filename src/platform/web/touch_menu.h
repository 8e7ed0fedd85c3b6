// The menu as a touch screen's page shows it behind its menu button: the program's menu
// table as JSON, each text as the hex digits of its GBK bytes (a GBK character's second byte
// may be a quote or a backslash, which no JSON string may hold as it is).
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/widgets/resource_tables.h"

namespace rolvi::platform::web {

// The hex digits of the bytes, in quotes: texts go to the page as JSON this way, since a GBK
// character's second byte may be a quote or a backslash.
std::string HexString(std::string_view gbk);

// [{"title":hex,"items":[{"text":hex,"command":n,"checked":bool} or {"separator":true}]}]:
// each item's name without its accelerator label, and whether a command's item is checked now.
std::string MenuJson(std::span<const widgets::MenuData> menus,
                     const std::function<bool(int command)>& checked);

}  // namespace rolvi::platform::web
