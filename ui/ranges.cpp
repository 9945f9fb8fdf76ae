#include "ui/ranges.h"

#include <algorithm>

namespace varnex::ui {

bool RangeControl::moveTo(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return false;
  position_ = position;
  return true;
}

bool RangeControl::limitMin(int min) {
  min_ = min;
  max_ = std::max(max_, min);
  return moveTo(position_);
}

bool RangeControl::limitMax(int max) {
  max_ = max;
  min_ = std::min(min_, max);
  return moveTo(position_);
}

void TrackBar::setPosition(int position) {
  if (moveTo(position)) fire(onChange);
}

void TrackBar::setMin(int min) {
  if (limitMin(min)) fire(onChange);
}

void TrackBar::setMax(int max) {
  if (limitMax(max)) fire(onChange);
}

void TrackBar::setRange(int min, int max) {
  // One move at most, so one handler run for the whole change of range.
  bool moved = limitMin(min);
  moved = limitMax(max) || moved;
  if (moved) fire(onChange);
}

void TrackBar::slide(int position) {
  if (acceptsInput()) setPosition(position);
}

}  // namespace varnex::ui
