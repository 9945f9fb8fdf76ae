#pragma once
// The layout rules the pages share: where the option pages put their check boxes, how wide
// labels and number fields are, the program's icon and title face.
#include <algorithm>
#include <cstddef>
#include <string>

#include "ui/control.h"
#include "ui/edits.h"
#include "ui/pages.h"

namespace varnex::pages {

// The program's main icon, by the resource id varnex.exe gives it.
inline constexpr int kProgramIcon = 1;
// The product name where a window shows it as its title.
inline const ui::Font kTitleFont{"Arial", 24, true, true};

// Two columns of seven below the heading, above the description frame (y 250), clear of the
// command buttons at the bottom right.
inline ui::Bounds optionBounds(int index) {
  constexpr int kColumnRows = 7, kFirstTop = 44, kRowStep = 27;
  constexpr int kColumnLeft[] = {16, 270};
  return {kColumnLeft[index / kColumnRows], kFirstTop + (index % kColumnRows) * kRowStep, 240, 17};
}

// The width a label sized to its caption takes: generous rather than tight, so that a caption
// never clips in MS Sans Serif 8 pt nor in the wider faces that stand in for it.
inline int captionWidth(const std::string& caption) {
  int width = 0;
  for (char c : caption) {
    if (c == ' ' || c == ':' || c == '.' || c == ',' || c == 'i' || c == 'l' || c == 'I') width += 4;
    else if (c == 'm' || c == 'w' || c == 'M' || c == 'W') width += 11;
    else if (c >= 'A' && c <= 'Z') width += 9;
    else width += 7;
  }
  return width;
}

// A number field as wide as the widest value it shows: that many digits in the widest digit of
// MS Sans Serif 8 pt or of a face that stands in for it, inside the field's edges and margins.
inline int numberFieldWidth(std::size_t digits) { return static_cast<int>(digits) * 7 + 14; }

// Sizes a spin edit to the widest value of its range, so set the range first; the label of its
// unit, if it has one, follows right after it.
inline void fitToRange(ui::SpinEdit& spin, ui::Label* unit = nullptr) {
  const std::size_t digits =
      std::max(std::to_string(spin.minValue()).size(), std::to_string(spin.maxValue()).size());
  spin.width = numberFieldWidth(digits) + ui::SpinEdit::kButtonsWidth;
  if (unit) {
    unit->left = spin.left + spin.width + 6;
    unit->width = captionWidth(unit->caption);
  }
}

}  // namespace varnex::pages
