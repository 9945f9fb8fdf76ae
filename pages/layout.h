#pragma once
// Where the option pages put their check boxes: two columns of seven below the heading, above
// the description frame (y 250), clear of the command buttons at the bottom right.
#include <string>

#include "ui/control.h"
#include "ui/pages.h"

namespace varnex::pages {

// The program's main icon, by the resource id varnex.exe gives it.
inline constexpr int kProgramIcon = 1;
// The product name where a window shows it as its title.
inline const ui::Font kTitleFont{"Arial", 24, true, true};

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

}  // namespace varnex::pages
