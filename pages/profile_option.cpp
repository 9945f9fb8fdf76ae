#include "pages/profile_option.h"

#include <algorithm>
#include <memory>

#include "settings/formats/profile_file.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/lists.h"
#include "ui/ranges.h"

namespace varnex::pages {

namespace {

using formats::sameProfileName;

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// "\"a\", \"b\" or \"c\"", and a tail for what else is taken.
std::string oneOf(const std::vector<std::string>& texts, const std::string& orElse = {}) {
  std::vector<std::string> shown = texts;
  constexpr std::size_t kListed = 12;
  if (shown.size() > kListed) shown = {texts[0], texts[1], "...", texts.back()};
  std::string out;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (i > 0) out += (i + 1 == shown.size() && orElse.empty()) ? " or " : ", ";
    out += shown[i] == "..." ? shown[i] : quoted(shown[i]);
  }
  return orElse.empty() ? out : out + " or " + orElse;
}

int indexOf(const std::vector<std::string>& texts, std::string_view text) {
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (sameProfileName(texts[i], text)) return static_cast<int>(i);
  return -1;
}

// Whether the user could reach the control once its page is shown and its editor open: it and
// every container up to the form are enabled.
std::optional<std::string> disabled(const ui::Control& control) {
  for (const ui::Control* c = &control; c != nullptr; c = c->parent())
    if (!c->enabled) return std::string("cannot be changed on this machine: it is disabled");
  return std::nullopt;
}

ProfileCheck refused(std::string takes) { return {std::nullopt, std::move(takes)}; }

bool hasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F; });
}

std::string wholeNumberRange(int min, int max) {
  return "takes a whole number from " + std::to_string(min) + " to " + std::to_string(max);
}

}  // namespace

std::string nameOf(std::string_view caption) {
  auto trimmed = [](std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
  };
  caption = trimmed(caption);
  if (!caption.empty() && caption.back() == ':') caption = trimmed(caption.substr(0, caption.size() - 1));
  return std::string(caption);
}

namespace profile {

ProfileOption box(ui::Form& form, const char* sheet, const char* control, std::string name) {
  auto& box = form.get<ui::CheckBox>(control);
  // A press as the user gives it: the marking and any editor first, then the toggle.
  auto press = [&box] {
    box.mouseDown(ui::MouseButton::Left);
    box.click();
  };
  ProfileOption option;
  option.sheet = sheet;
  option.name = name.empty() ? nameOf(box.caption) : std::move(name);
  option.check = [](std::string_view text) -> ProfileCheck {
    if (sameProfileName(text, kOn)) return {std::string(kOn), {}};
    if (sameProfileName(text, kOff)) return {std::string(kOff), {}};
    return refused("takes \"on\" or \"off\"");
  };
  option.value = [&box] { return ProfileValue{std::string(box.checked() ? kOn : kOff), {}}; };
  option.unavailable = [&box] { return disabled(box); };
  option.enter = [&box, press](const std::string& canonical) {
    if (box.checked() != (canonical == kOn)) press();
  };
  option.enterOther = [press](const std::string&) { press(); };
  option.open = [&box, press](const std::string& canonical) {
    if (box.checked() == (canonical == kOn)) press();
    press();
  };
  return option;
}

ProfileOption number(ui::Form& form, const char* sheet, const char* control, std::string name,
                     std::function<std::string()> written) {
  auto& spin = form.get<ui::SpinEdit>(control);
  ProfileOption option;
  option.sheet = sheet;
  option.name = std::move(name);
  option.check = [&spin](std::string_view text) -> ProfileCheck {
    const auto number = ui::integerOf(text);
    if (!number || *number < spin.minValue() || *number > spin.maxValue())
      return refused(wholeNumberRange(spin.minValue(), spin.maxValue()));
    return {std::to_string(*number), {}};
  };
  option.value = [&spin, written, check = option.check] {
    const std::string raw =
        written ? written() : std::to_string(std::clamp(spin.value(), spin.minValue(), spin.maxValue()));
    if (check(raw).canonical == raw) return ProfileValue{raw, {}};
    return ProfileValue{std::nullopt, "the machine holds " + quoted(raw) + ", which the field does not take"};
  };
  option.unavailable = [&spin] { return disabled(spin); };
  option.enter = [&spin](const std::string& canonical) {
    spin.type(canonical);
    spin.focusLost();
  };
  option.enterOther = [&spin](const std::string& canonical) {
    const int other = canonical == std::to_string(spin.minValue()) ? spin.maxValue() : spin.minValue();
    spin.type(std::to_string(other));
    spin.focusLost();
  };
  return option;
}

ProfileOption text(ui::Form& form, const char* sheet, const char* control, std::string name,
                   std::function<std::string()> written, bool wholeNumber) {
  auto& edit = form.get<ui::Edit>(control);
  ProfileOption option;
  option.sheet = sheet;
  option.name = std::move(name);
  option.check = [&edit, wholeNumber](std::string_view text) -> ProfileCheck {
    std::string takes = wholeNumber ? "takes a whole number, or nothing" : "";
    if (edit.maxLength != 0) {
      takes += (takes.empty() ? "takes at most " : ", of at most ") + std::to_string(edit.maxLength) + " characters";
      if (text.size() > edit.maxLength) return refused(takes);
    }
    if (wholeNumber && !text.empty() && !ui::integerOf(text)) return refused(takes);
    if (hasControlCharacter(text)) return refused("takes no control characters");
    return {std::string(text), {}};
  };
  option.value = [written, check = option.check] {
    const std::string raw = written();
    if (check(raw).canonical) return ProfileValue{raw, {}};
    return ProfileValue{std::nullopt, "the machine holds " + quoted(raw) + ", which the field does not take"};
  };
  option.unavailable = [&edit] { return disabled(edit); };
  option.enter = [&edit](const std::string& canonical) { edit.type(canonical); };
  option.enterOther = [&edit](const std::string& canonical) { edit.type(canonical.empty() ? "0" : ""); };
  return option;
}

ProfileOption choice(ui::Form& form, const char* sheet, std::string name, std::vector<Radio> radios,
                     std::optional<Custom> custom, std::function<std::string()> written) {
  struct Button {
    ui::RadioButton* radio;
    std::string value;
  };
  auto buttons = std::make_shared<std::vector<Button>>();
  std::vector<std::string> captions;
  for (const Radio& r : radios) {
    buttons->push_back({&form.get<ui::RadioButton>(r.control), r.value});
    captions.push_back(buttons->back().radio->caption);
  }
  ui::RadioButton* customButton = custom ? &form.get<ui::RadioButton>(custom->button) : nullptr;
  ui::Edit* field = custom ? &form.get<ui::Edit>(custom->field) : nullptr;
  // A number a button stands for is that button; any other whole number goes into the field.
  auto canonicalOf = [buttons, captions, field](std::string_view text) -> std::optional<std::string> {
    if (int i = indexOf(captions, text); i >= 0) return captions[static_cast<std::size_t>(i)];
    for (const Button& b : *buttons)
      if (b.value == text) return b.radio->caption;
    if (!field || (!text.empty() && !ui::integerOf(text))) return std::nullopt;
    if (field->maxLength != 0 && text.size() > field->maxLength) return std::nullopt;
    return std::string(text);
  };
  const std::string takes =
      "takes " + oneOf(captions, field ? "a whole number" + (field->maxLength != 0
                                                                  ? " of at most " + std::to_string(field->maxLength) +
                                                                        " digits"
                                                                  : std::string())
                                       : std::string());

  ProfileOption option;
  option.sheet = sheet;
  option.name = std::move(name);
  option.check = [canonicalOf, takes](std::string_view text) -> ProfileCheck {
    if (auto canonical = canonicalOf(text)) return {canonical, {}};
    return refused(takes);
  };
  option.value = [canonicalOf, written] {
    const std::string raw = written();
    if (auto canonical = canonicalOf(raw)) return ProfileValue{canonical, {}};
    return ProfileValue{std::nullopt, "the machine holds " + quoted(raw) + ", which none of its buttons stands for"};
  };
  option.unavailable = [buttons] { return disabled(*buttons->front().radio); };
  option.enter = [buttons, customButton, field](const std::string& canonical) {
    for (const Button& b : *buttons)
      if (b.radio->caption == canonical) return b.radio->click();
    customButton->click();
    field->type(canonical);
  };
  option.enterOther = [buttons](const std::string& canonical) {
    for (const Button& b : *buttons)
      if (b.radio->caption != canonical) return b.radio->click();
  };
  return option;
}

ProfileOption list(ui::Form& form, const char* sheet, const char* control, std::string name) {
  auto& list = form.get<ui::ComboBox>(control);
  ProfileOption option;
  option.sheet = sheet;
  option.name = std::move(name);
  option.check = [&list](std::string_view text) -> ProfileCheck {
    if (int i = indexOf(list.items(), text); i >= 0) return {list.items()[static_cast<std::size_t>(i)], {}};
    return refused("takes " + oneOf(list.items()));
  };
  option.value = [&list] {
    if (list.itemIndex() < 0) return ProfileValue{std::nullopt, "nothing is chosen in the list"};
    return ProfileValue{list.text(), {}};
  };
  option.unavailable = [&list] { return disabled(list); };
  option.enter = [&list](const std::string& canonical) { list.choose(indexOf(list.items(), canonical)); };
  option.enterOther = [&list](const std::string& canonical) {
    const int index = indexOf(list.items(), canonical);
    list.choose(index == 0 ? 1 : 0);
  };
  option.open = option.enter;  // choosing runs the list's handler, also for the item already chosen
  return option;
}

ProfileOption slider(ui::Form& form, const char* sheet, const char* control, std::string name,
                     std::vector<std::string> values, std::function<std::optional<int>()> position,
                     std::function<std::string()> written) {
  auto& slider = form.get<ui::TrackBar>(control);
  ProfileOption option;
  option.sheet = sheet;
  option.name = std::move(name);
  option.check = [values](std::string_view text) -> ProfileCheck {
    if (int i = indexOf(values, text); i >= 0) return {values[static_cast<std::size_t>(i)], {}};
    return refused("takes " + oneOf(values));
  };
  option.value = [values, position, written] {
    const std::optional<int> at = position();
    if (!at || *at < 0 || *at >= static_cast<int>(values.size()))
      return ProfileValue{std::nullopt, "the machine holds " + quoted(written()) + ", between the slider's positions"};
    return ProfileValue{values[static_cast<std::size_t>(*at)], {}};
  };
  option.unavailable = [&slider] { return disabled(slider); };
  option.enter = [&slider, values](const std::string& canonical) { slider.slide(indexOf(values, canonical)); };
  option.enterOther = [&slider, values](const std::string& canonical) {
    slider.slide(indexOf(values, canonical) == 0 ? 1 : 0);
  };
  return option;
}

}  // namespace profile

}  // namespace varnex::pages
