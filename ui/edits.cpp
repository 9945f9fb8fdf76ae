#include "ui/edits.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace varnex::ui {

std::optional<int> integerOf(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void Edit::setText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  fire(onChange);
}

void Edit::type(std::string text) {
  if (!acceptsInput() || readOnly) return;
  if (maxLength != 0 && text.size() > maxLength) text.resize(maxLength);
  accept(std::move(text));
}

void SpinEdit::setRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
}

int SpinEdit::value() const { return integerOf(text()).value_or(0); }

void SpinEdit::setValue(int value) {
  std::string shown = std::to_string(std::clamp(value, min_, max_));
  accepted_ = shown;
  setText(std::move(shown));
}

void SpinEdit::focusLost() {
  if (auto number = integerOf(text()); number && (*number < min_ || *number > max_)) {
    setValue(*number);
  }
}

void SpinEdit::accept(std::string text) {
  if (!text.empty() && !integerOf(text)) text = accepted_;
  accepted_ = text;
  setText(std::move(text));
}

}  // namespace varnex::ui
