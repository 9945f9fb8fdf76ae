#pragma once
// One option of a profile: how its value reads from the window as profile text, which texts it
// takes, and the user's gestures that put a text into the window. Builders for each kind of
// control; pages/profile_options.cpp lists the options with them.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/form.h"

namespace varnex::pages {

// A text the option refuses, or the form of a text it takes that the window gives back.
struct ProfileCheck {
  std::optional<std::string> canonical;
  std::string takes;  // when refused: what the option takes ("takes \"on\" or \"off\"")
};

// What the write pass would write for the option now, as profile text; nothing when the window
// holds something no profile can name (a stored value between a slider's positions), and why.
struct ProfileValue {
  std::optional<std::string> text;
  std::string why;
};

struct ProfileOption {
  std::string sheet;  // the page ("TabSheet1"); the profile's section is its tab caption
  std::string name;   // as the user sees it, unique on its page
  // An editor's value belongs to the option that opens the editor: it is saved while that
  // option holds `openerValue`, and a profile may name it only together with that.
  std::string opener;
  std::string openerValue = "on";

  std::function<ProfileCheck(std::string_view text)> check;
  std::function<ProfileValue()> value;
  // Why the user cannot change the option on this machine now; nothing when they can.
  std::function<std::optional<std::string>()> unavailable;
  // The gestures, on the option's page once it is shown: `enter` puts a canonical text in;
  // `enterOther` puts another in, so that entering the first again runs the control's handler
  // (a box pressed twice, a slider moved away and back). `open` leaves an opener holding the
  // text with its editor open, as a press that ticks the box does.
  std::function<void()> prepare;  // before entering: what the value is for (a connection)
  std::function<void(const std::string& canonical)> enter;
  std::function<void(const std::string& canonical)> enterOther;
  std::function<void(const std::string& canonical)> open;
};

// The option's name from a caption: trimmed, without a closing colon ("Boot menu delay : ").
std::string nameOf(std::string_view caption);
// "on"/"off".
inline constexpr std::string_view kOn = "on";
inline constexpr std::string_view kOff = "off";

namespace profile {

// A check box: "on" or "off", entered with a left press as the user gives it. Its name is its
// caption unless given.
ProfileOption box(ui::Form& form, const char* sheet, const char* control, std::string name = {});

// A spin edit: a whole number within its range, typed and left. `written` is what the write pass
// writes when it is not the number shown.
ProfileOption number(ui::Form& form, const char* sheet, const char* control, std::string name,
                     std::function<std::string()> written = {});

// A one-line edit holding `written`: any text, or (wholeNumber) a whole number or nothing.
ProfileOption text(ui::Form& form, const char* sheet, const char* control, std::string name,
                   std::function<std::string()> written, bool wholeNumber = false);

// Radio buttons standing for values: the caption of one, or a whole number (or nothing) for the
// field of the custom button where there is one. `written` is the value the group stands for.
struct Radio {
  const char* control;
  const char* value;
};
struct Custom {
  const char* button;
  const char* field;
};
ProfileOption choice(ui::Form& form, const char* sheet, std::string name, std::vector<Radio> radios,
                     std::optional<Custom> custom, std::function<std::string()> written);

// A drop-down list: the text of one of its items, chosen as the user chooses.
ProfileOption list(ui::Form& form, const char* sheet, const char* control, std::string name);

// A slider whose positions stand for `values`; `position` is the one the written value stands at,
// nothing when it stands between them (`written` then names it for the note).
ProfileOption slider(ui::Form& form, const char* sheet, const char* control, std::string name,
                     std::vector<std::string> values, std::function<std::optional<int>()> position,
                     std::function<std::string()> written);

}  // namespace profile

}  // namespace varnex::pages
