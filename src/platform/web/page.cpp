#include "platform/web/page.h"

#include <algorithm>
#include <cstring>

namespace rolvi::platform::web {
namespace {

template <std::size_t kSize>
std::string Field(const std::array<char, kSize>& field) {
  return std::string(field.data(), strnlen(field.data(), field.size()));
}

}  // namespace

PageEvent DecodePageEvent(const RawPageEvent& raw) {
  PageEvent event;
  if (raw.kind < static_cast<std::int32_t>(PageEvent::Kind::kNone) ||
      raw.kind > static_cast<std::int32_t>(PageEvent::Kind::kStorageChanged)) {
    return event;
  }
  event.kind = static_cast<PageEvent::Kind>(raw.kind);
  event.window = raw.window;
  event.x = raw.x;
  event.y = raw.y;
  event.modifiers = raw.modifiers;
  event.repeat = raw.repeat != 0;
  event.code = Field(raw.code);
  event.key = Field(raw.key);
  const auto length = static_cast<std::size_t>(
      std::clamp<std::int32_t>(raw.text_length, 0, static_cast<std::int32_t>(raw.text.size())));
  event.text.assign(raw.text.data(), length);
  return event;
}

}  // namespace rolvi::platform::web
