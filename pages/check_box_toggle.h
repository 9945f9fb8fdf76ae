#pragma once
// Lets a catalogue row read and set a check box of the form model.
#include "settings/rows.h"
#include "ui/buttons.h"

namespace varnex::pages {

// setChecked goes through the box's code path: its handler runs only when the state changes,
// so the read pass keeps pending values in step as the user's own changes would.
class CheckBoxToggle final : public settings::Toggle {
 public:
  explicit CheckBoxToggle(ui::CheckBox& box) : box_(box) {}
  bool checked() const override { return box_.checked(); }
  void setChecked(bool checked) override { box_.setChecked(checked); }

 private:
  ui::CheckBox& box_;
};

}  // namespace varnex::pages
