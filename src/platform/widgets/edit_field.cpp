#include "platform/widgets/edit_field.h"

namespace rolvi::platform::widgets {
namespace {

// A GBK lead byte starts a two-byte character.
bool IsLeadByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace

void EditField::SetText(std::string_view gbk_text) {
  text_.assign(gbk_text);
  caret_ = anchor_ = text_.size();
}

void EditField::SelectAll() {
  anchor_ = 0;
  caret_ = text_.size();
}

bool EditField::Insert(std::string_view gbk_text, const FitsTest& fits) {
  std::string candidate = text_;
  candidate.replace(selection_start(), selection_end() - selection_start(), gbk_text);
  if (!fits(candidate)) return false;
  const std::size_t position = selection_start() + gbk_text.size();
  text_ = std::move(candidate);
  caret_ = anchor_ = position;
  return true;
}

void EditField::EraseSelection() {
  const std::size_t start = selection_start();
  text_.erase(start, selection_end() - start);
  caret_ = anchor_ = start;
}

void EditField::Backspace() {
  if (!has_selection()) anchor_ = PreviousBoundary(caret_);
  EraseSelection();
}

void EditField::Delete() {
  if (!has_selection()) anchor_ = NextBoundary(caret_);
  EraseSelection();
}

void EditField::MoveTo(std::size_t position, bool extend) {
  caret_ = position;
  if (!extend) anchor_ = position;
}

void EditField::MoveLeft(bool extend) {
  if (has_selection() && !extend) {
    MoveTo(selection_start(), false);
    return;
  }
  MoveTo(PreviousBoundary(caret_), extend);
}

void EditField::MoveRight(bool extend) {
  if (has_selection() && !extend) {
    MoveTo(selection_end(), false);
    return;
  }
  MoveTo(NextBoundary(caret_), extend);
}

void EditField::MoveHome(bool extend) {
  MoveTo(0, extend);
}
void EditField::MoveEnd(bool extend) {
  MoveTo(text_.size(), extend);
}

std::size_t EditField::PreviousBoundary(std::size_t position) const {
  std::size_t boundary = 0;
  std::size_t walk = 0;
  while (walk < position) {
    boundary = walk;
    walk += (IsLeadByte(text_[walk]) && walk + 1 < text_.size()) ? 2 : 1;
  }
  return boundary;
}

std::size_t EditField::NextBoundary(std::size_t position) const {
  if (position >= text_.size()) return text_.size();
  std::size_t walk = 0;
  while (walk <= position) {
    walk += (IsLeadByte(text_[walk]) && walk + 1 < text_.size()) ? 2 : 1;
  }
  return walk > text_.size() ? text_.size() : walk;
}

}  // namespace rolvi::platform::widgets
