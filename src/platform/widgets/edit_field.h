// The text model of a single-line edit field: GBK text, caret and selection, and the edits a
// user makes. The field does not scroll, so an insertion that would not fit the visible width
// is refused; the caller supplies the test that says whether a text fits.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace rolvi::platform::widgets {

class EditField {
 public:
  using FitsTest = std::function<bool(std::string_view gbk_text)>;

  const std::string& text() const { return text_; }
  std::size_t caret() const { return caret_; }
  std::size_t selection_start() const { return caret_ < anchor_ ? caret_ : anchor_; }
  std::size_t selection_end() const { return caret_ < anchor_ ? anchor_ : caret_; }
  bool has_selection() const { return caret_ != anchor_; }

  // Replaces the text (as a program does, without the fit test) and puts the caret at its end.
  void SetText(std::string_view gbk_text);
  void SelectAll();

  // Replaces the selection with `gbk_text`; refused (false, nothing changes) when the result
  // would not fit.
  bool Insert(std::string_view gbk_text, const FitsTest& fits);
  void Backspace();
  void Delete();
  // Caret movement; with `extend` the selection grows from its anchor, as with Shift held.
  void MoveLeft(bool extend);
  void MoveRight(bool extend);
  void MoveHome(bool extend);
  void MoveEnd(bool extend);

 private:
  std::size_t PreviousBoundary(std::size_t position) const;
  std::size_t NextBoundary(std::size_t position) const;
  void MoveTo(std::size_t position, bool extend);
  void EraseSelection();

  std::string text_;
  std::size_t caret_ = 0;
  std::size_t anchor_ = 0;
};

}  // namespace rolvi::platform::widgets
