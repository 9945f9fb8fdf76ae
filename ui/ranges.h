#pragma once
// Controls that show a position within a range: the slider and the progress bar.
#include <functional>

#include "ui/control.h"

namespace varnex::ui {

// The range and clamping shared by both kinds. A range whose maximum falls below its minimum
// becomes the single value of the bound just set.
class RangeControl : public Control {
 public:
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  int position() const { return position_; }

 protected:
  explicit RangeControl(Kind kind) : Control(kind) {}
  // Each returns true when the position moved.
  bool moveTo(int position);
  bool limitMin(int min);
  bool limitMax(int max);

 private:
  int min_ = 0;
  int max_ = 10;
  int position_ = 0;
};

class TrackBar : public RangeControl {
 public:
  TrackBar() : RangeControl(Kind::TrackBar) {}

  // From code. Each runs onChange when the position moves, also when a new bound pushes it.
  void setPosition(int position);
  void setMin(int min);
  void setMax(int max);
  void setRange(int min, int max);
  // The user drags the thumb or uses the keys.
  void slide(int position);

  std::function<void()> onChange;
};

class ProgressBar : public RangeControl {
 public:
  ProgressBar() : RangeControl(Kind::ProgressBar) { limitMax(100); }
  void setPosition(int position) { moveTo(position); }
  void setRange(int min, int max) {
    limitMin(min);
    limitMax(max);
  }
};

}  // namespace varnex::ui
