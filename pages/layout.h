#pragma once
// Where the option pages put their check boxes: two columns of seven below the heading, above
// the description frame (y 250), clear of the command buttons at the bottom right.
#include "ui/control.h"

namespace varnex::pages {

inline ui::Bounds optionBounds(int index) {
  constexpr int kColumnRows = 7, kFirstTop = 44, kRowStep = 27;
  constexpr int kColumnLeft[] = {16, 270};
  return {kColumnLeft[index / kColumnRows], kFirstTop + (index % kColumnRows) * kRowStep, 240, 17};
}

}  // namespace varnex::pages
