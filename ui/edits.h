#pragma once
// Text fields: the one-line edit, the multi-line memo and the whole-number spin edit.
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace varnex::ui {

// The integer a text spells: optional sign and decimal digits, within 32 bits; nothing else.
std::optional<int> integerOf(std::string_view text);

class Edit : public Control {
 public:
  Edit() : Control(Kind::Edit) {}

  const std::string& text() const { return text_; }
  // From code: runs onChange only when the text differs.
  void setText(std::string text);
  // The user's typing, as the whole new text. Cut to maxLength (0: no limit); ignored when
  // read-only. Runs onChange when the text differs.
  void type(std::string text);

  std::size_t maxLength = 0;
  bool readOnly = false;
  int caret = 0;  // character position of the caret

  std::function<void()> onChange;

 protected:
  explicit Edit(Kind kind) : Control(kind) {}
  // Where a gesture's new text goes; the spin edit adds its number rules here.
  virtual void accept(std::string text) { setText(std::move(text)); }

 private:
  std::string text_;
};

// Several lines, each ended by '\n'. Long lines wrap. By default a borderless pane in the
// button face; a document (help text) takes a border, a vertical scroll bar and the tooltip
// colours.
class Memo : public Edit {
 public:
  Memo() : Edit(Kind::Memo) {}

  bool verticalScrollBar = false;
  bool bordered = false;
  bool infoColours = false;
};

// A whole-number field with up and down buttons.
class SpinEdit : public Edit {
 public:
  SpinEdit() : Edit(Kind::SpinEdit) { setText("0"); }

  // The buttons take this much of the width at the right; the digits have the rest.
  static constexpr int kButtonsWidth = 16;

  int minValue() const { return min_; }
  int maxValue() const { return max_; }
  // Sets the range; the text stays as it is until the next value or focus loss.
  void setRange(int min, int max);

  // The number in the text, unclamped, or 0 when the text is not an integer.
  int value() const;
  // Clamps into the range and shows the result; onChange runs when the text changes.
  void setValue(int value);

  // The user leaves the field: a number outside the range becomes the nearest bound.
  void focusLost();
  // The up and down buttons: one step, within the range.
  void stepUp() { if (acceptsInput()) setValue(value() < max_ ? value() + 1 : max_); }
  void stepDown() { if (acceptsInput()) setValue(value() > min_ ? value() - 1 : min_); }

 protected:
  // A typed text that is not empty and not an integer puts back the last accepted text.
  void accept(std::string text) override;

 private:
  // Unlimited until the page sets a range.
  int min_ = std::numeric_limits<int>::min();
  int max_ = std::numeric_limits<int>::max();
  std::string accepted_ = "0";
};

}  // namespace varnex::ui
