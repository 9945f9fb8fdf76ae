#pragma once
// Profiles of the window: saving what the write pass would write for every option, and loading a
// profile into the window as if the user had set each option it names: the page shown, the
// box pressed with the left button, the number typed, the item chosen, so that the pages' own
// handlers run and the same change marks appear. Loading writes nothing.
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/platform_services.h"
#include "pages/profile_option.h"
#include "settings/formats/profile_file.h"

namespace varnex::pages {

class Catalogue;

// Both dialogs show profiles only.
inline const std::string kProfileFilter = "Varnex 2000 Profile (*.ini)";

class SettingsProfile {
 public:
  // The window's catalogue must be built; the profile keeps references into both.
  SettingsProfile(app::MainWindow& window, Catalogue& catalogue);

  // Every option as the write pass would write it now. An editor's value is saved while the
  // option that opens it is on; what the user cannot change here, or a value no profile can name,
  // is left out with a note saying why.
  formats::ProfileFile save() const;
  // Checks every line against the options and this machine first: an unknown page or option, a
  // value the option does not take, an option the user cannot change here, an editor's value
  // without its option turned on. Any of these refuses the whole profile and changes nothing; the
  // reasons come back in line order ("line N: ..."). Otherwise the values go in, in the order of
  // the pages, and nothing comes back.
  std::vector<std::string> load(const formats::ProfileFile& profile);

  // The same with a file through the platform. Each returns the reasons for the user (why the
  // file could not be read or written, why it is no profile, its refused lines), or nothing.
  std::vector<std::string> saveFile(const std::string& path) const;
  std::vector<std::string> loadFile(const std::string& path);

  // "Save Settings..." and "Load Settings...": the dialog, then the file; a failure is shown in a
  // message box, a cancelled dialog does nothing.
  void saveWithDialog();
  void loadWithDialog();

  const std::vector<ProfileOption>& options() const { return options_; }
  // Whether the last load got as far as entering values: a control that did not take its value
  // then leaves the window changed in part.
  bool entered() const { return entered_; }

 private:
  const ProfileOption* find(const std::string& sheet, const std::string& name) const;

  app::MainWindow& window_;
  std::vector<ProfileOption> options_;
  bool entered_ = false;
};

// The reasons as one text: the first ten, one per line, and how many more there are.
std::string reasonsText(const std::vector<std::string>& reasons, const std::string& separator);

}  // namespace varnex::pages
