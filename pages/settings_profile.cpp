#include "pages/settings_profile.h"

#include <algorithm>
#include <map>
#include <utility>

#include "app/config_dat.h"
#include "pages/catalogue.h"
#include "pages/profile_options.h"
#include "settings/formats/format_error.h"

namespace varnex::pages {

namespace {

using formats::sameProfileName;

const char* const kSaveTitle = "Save Settings";
const char* const kLoadTitle = "Load Settings";

app::FileDialog dialog(const char* title) { return {title, kProfileFilter, "*.ini", "ini"}; }

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// A note may quote what the machine holds; it must stay one line of the file.
std::string oneLine(std::string text) {
  for (char& c : text)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) c = '?';
  return text;
}

const app::PageInfo* pageOfTab(const std::string& tab) {
  for (const app::PageInfo& page : app::pageTable())
    if (sameProfileName(page.tab, tab)) return &page;
  return nullptr;
}

struct Refusal {
  std::size_t line;
  std::string what;
};

}  // namespace

std::string reasonsText(const std::vector<std::string>& reasons, const std::string& separator) {
  constexpr std::size_t kShown = 10;
  std::string text;
  for (std::size_t i = 0; i < reasons.size() && i < kShown; ++i) text += (i ? separator : "") + reasons[i];
  if (reasons.size() > kShown) text += separator + "... and " + std::to_string(reasons.size() - kShown) + " more";
  return text;
}

SettingsProfile::SettingsProfile(app::MainWindow& window, Catalogue& catalogue)
    : window_(window), options_(profileOptions(window, catalogue)) {}

const ProfileOption* SettingsProfile::find(const std::string& sheet, const std::string& name) const {
  for (const ProfileOption& option : options_)
    if (option.sheet == sheet && sameProfileName(option.name, name)) return &option;
  return nullptr;
}

formats::ProfileFile SettingsProfile::save() const {
  formats::ProfileFile profile;
  profile.notes = {"Varnex 2000 settings, one line per option of a page: a line taken out leaves",
                   "that option as each computer has it."};
  for (const app::PageInfo& page : app::pageTable()) {
    formats::ProfileSection section{0, page.tab, {}};
    for (const ProfileOption& option : options_) {
      if (option.sheet != page.sheet) continue;
      if (!option.opener.empty() && find(option.sheet, option.opener)->value().text != option.openerValue) continue;
      std::string why;
      if (auto unavailable = option.unavailable()) why = *unavailable;
      const ProfileValue value = why.empty() ? option.value() : ProfileValue{};
      if (why.empty() && value.text) {
        section.entries.push_back({0, option.name, *value.text, false});
        continue;
      }
      const std::string note = option.name + " is left out: " + (why.empty() ? value.why : why);
      section.entries.push_back({0, "", oneLine(note), true});
    }
    if (!section.entries.empty()) profile.sections.push_back(std::move(section));
  }
  return profile;
}

std::vector<std::string> SettingsProfile::load(const formats::ProfileFile& profile) {
  std::map<const ProfileOption*, std::pair<std::size_t, std::string>> named;  // line, canonical text
  std::vector<Refusal> refused;
  for (const formats::ProfileSection& section : profile.sections) {
    const app::PageInfo* page = pageOfTab(section.name);
    if (!page) {
      refused.push_back({section.line, "[" + section.name + "] is no page of Varnex 2000"});
      continue;
    }
    const bool hasOptions = std::any_of(options_.begin(), options_.end(),
                                        [page](const ProfileOption& o) { return o.sheet == page->sheet; });
    if (!hasOptions && !section.entries.empty()) {
      refused.push_back({section.line, "nothing on the page \"" + std::string(page->tab) + "\" is set from a profile"});
      continue;
    }
    for (const formats::ProfileEntry& entry : section.entries) {
      const ProfileOption* option = find(page->sheet, entry.name);
      if (!option) {
        refused.push_back({entry.line, quoted(entry.name) + " is no option of the page \"" + page->tab + "\""});
        continue;
      }
      const ProfileCheck check = option->check(entry.value);
      if (!check.canonical) {
        refused.push_back({entry.line, quoted(option->name) + " " + check.takes + ", not " + quoted(entry.value)});
        continue;
      }
      if (auto why = option->unavailable()) {
        refused.push_back({entry.line, quoted(option->name) + " " + *why});
        continue;
      }
      named[option] = {entry.line, *check.canonical};
    }
  }
  for (const auto& [option, at] : named) {
    if (option->opener.empty()) continue;
    auto opener = named.find(find(option->sheet, option->opener));
    if (opener == named.end() || opener->second.second != option->openerValue)
      refused.push_back({at.first, quoted(option->name) + " is set only together with \"" + option->opener + "=" +
                                       option->openerValue + "\""});
  }

  entered_ = refused.empty();
  if (entered_) {
    auto& pageControl = window_.form().get<ui::PageControl>("PageControl1");
    const int shownFirst = pageControl.activeIndex();
    auto show = [&pageControl](const std::string& sheet) {
      const auto sheets = pageControl.pages();
      for (std::size_t i = 0; i < sheets.size(); ++i)
        if (sheets[i]->name() == sheet) pageControl.selectTab(static_cast<int>(i));
    };
    for (const ProfileOption& option : options_) {
      auto it = named.find(&option);
      if (it == named.end()) continue;
      const std::string& canonical = it->second.second;
      show(option.sheet);
      if (option.prepare) option.prepare();
      const bool opensNamedValues = std::any_of(named.begin(), named.end(), [&option](const auto& other) {
        return other.first->sheet == option.sheet && other.first->opener == option.name;
      });
      if (opensNamedValues) {
        option.open(canonical);
      } else if (option.value().text != canonical) {
        option.enter(canonical);
        // A control whose handler did not run (a button already down, a field showing the text
        // already) is moved away and back, as the user would.
        if (option.value().text != canonical) {
          option.enterOther(canonical);
          option.enter(canonical);
        }
      }
      if (option.value().text != canonical)
        refused.push_back(
            {it->second.first, "the window did not take " + quoted(canonical) + " for " + quoted(option.name)});
    }
    pageControl.selectTab(shownFirst);
  }

  std::stable_sort(refused.begin(), refused.end(), [](const Refusal& a, const Refusal& b) { return a.line < b.line; });
  std::vector<std::string> reasons;
  for (const Refusal& r : refused) reasons.push_back("line " + std::to_string(r.line) + ": " + r.what);
  return reasons;
}

std::vector<std::string> SettingsProfile::saveFile(const std::string& path) const {
  const std::string text = formats::writeProfile(save());
  if (int error = window_.platform().writeFile(path, text)) return {app::fileErrorText(error)};
  return {};
}

std::vector<std::string> SettingsProfile::loadFile(const std::string& path) {
  entered_ = false;
  std::string text;
  if (int error = window_.platform().readFile(path, text, formats::kMaxProfileBytes))
    return {app::fileErrorText(error)};
  formats::ProfileFile profile;
  try {
    profile = formats::parseProfile(text, path);
  } catch (const formats::FormatError& e) {
    // The reader names the file first; the user's message names it once, before the reasons.
    std::string message = e.what();
    if (message.rfind(path + ": ", 0) == 0) message.erase(0, path.size() + 2);
    return {message};
  }
  return load(profile);
}

void SettingsProfile::saveWithDialog() {
  const std::optional<std::string> path = window_.platform().saveFileName(dialog(kSaveTitle));
  if (!path) return;
  const std::vector<std::string> reasons = saveFile(*path);
  if (!reasons.empty())
    window_.reportError("The settings could not be saved in " + *path + ":\r\n\r\n" + reasonsText(reasons, "\r\n"));
}

void SettingsProfile::loadWithDialog() {
  const std::optional<std::string> path = window_.platform().openFileName(dialog(kLoadTitle));
  if (!path) return;
  const std::vector<std::string> reasons = loadFile(*path);
  if (reasons.empty()) return;
  const std::string what = entered_ ? "The profile " + *path + " was loaded only in part:"
                                    : "Nothing was loaded from " + *path + ":";
  window_.reportError(what + "\r\n\r\n" + reasonsText(reasons, "\r\n"));
}

}  // namespace varnex::pages
