#pragma once
// The "System" page: eight toggle options that follow their settings, and six action options
// that write a pending value, edited in the shared editor area (editor group "Page2"), only
// while their box is checked.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "settings/registry_store.h"
#include "settings/rows.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/pages.h"
#include "ui/ranges.h"
#include "pages/check_box_toggle.h"

namespace varnex::pages {

// Values the action options hold between the passes; every read pass reloads them.
struct SystemPending {
  std::string setupPath, setupPathAsLoaded;
  std::string owner, ownerAsLoaded;
  std::string organization, organizationAsLoaded;
  std::string iconDepth = "16";  // Shell Icon BPP
  std::string iconCache = "512";  // Max Cached Icons
  std::int32_t cdCache = 620;     // CacheSize
  std::int32_t cdPrefetch = 228;  // PreFetch
};

class SystemPage {
 public:
  explicit SystemPage(app::MainWindow& window);
  SystemPage(const SystemPage&) = delete;
  SystemPage& operator=(const SystemPage&) = delete;

  const SystemPending& pending() const { return pending_; }
  // Which pending value the shared editors edit: "WinDir", "Owner", "IconCache", "CDCache",
  // "CDSpeed", or empty before the first action option is pressed.
  const std::string& editorMode() const { return mode_; }

  void Edit1Change();
  void Edit2Change();
  void SpeedButton1Click();
  void TrackBar1Change();

  struct ActionOption;
  struct Slider;

 private:
  class ActionRow;

  // A left press on an action option, after the marking, with the state before the press.
  void ActionMouseDown(const ActionOption& option, bool wasChecked);
  bool inMode(const char* mode) const;

  // Loading and writing the pending values, one pair per action option.
  void loadSetupPath(settings::RegistryStore& r);
  void saveSetupPath(settings::RegistryStore& r);
  void loadOwner(settings::RegistryStore& r);
  void saveOwner(settings::RegistryStore& r);
  void loadIconDepth(settings::RegistryStore& r);
  void saveIconDepth(settings::RegistryStore& r);
  void loadIconCache(settings::RegistryStore& r);
  void saveIconCache(settings::RegistryStore& r);
  void loadCdCache(settings::RegistryStore& r);
  void saveCdCache(settings::RegistryStore& r);
  void loadCdSpeed(settings::RegistryStore& r);
  void saveCdSpeed(settings::RegistryStore& r);

  // What unchecking an option puts back.
  void resetSetupPath();
  void resetOwner();

  // The detail editors.
  void openSetupPath();
  void openOwner();
  void openIconDepth();
  void openIconCache();
  void openCdCache();
  void openCdSpeed();
  void openSlider(const Slider& slider);
  std::int64_t sliderPending(const Slider& slider) const;
  void setSliderPending(const Slider& slider, std::int32_t value);
  std::string sliderLabel(const Slider& slider) const;
  void placeLabelAtTop();
  void placeLabelBesideSlider();

  static const ActionOption kActions[];
  static const Slider kSliders[];

  app::MainWindow& window_;
  ui::Form& form_;
  ui::TabSheet& TabSheet2;
  ui::Memo& Memo2;
  ui::GroupBox& GroupBox4;
  ui::Label& Label3;
  ui::Label& Label4;
  ui::Edit& Edit1;
  ui::Edit& Edit2;
  ui::Button& SpeedButton1;
  ui::TrackBar& TrackBar1;
  ui::RadioButton& RadioButton1;
  ui::RadioButton& RadioButton2;
  ui::RadioButton& RadioButton3;

  SystemPending pending_;
  std::string mode_;
  std::vector<std::unique_ptr<CheckBoxToggle>> toggles_;
  std::vector<std::unique_ptr<settings::Row>> rows_;
};

}  // namespace varnex::pages
