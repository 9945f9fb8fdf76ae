#pragma once
// The "System" page: eight toggle options that follow their settings, and six action options
// that write a pending value, edited in the shared editor area (editor group "Page2"), only
// while their box is checked.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pages/option_page.h"
#include "settings/pending_row.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/pages.h"
#include "ui/ranges.h"

namespace varnex::pages {

// Values the action options hold between the passes; every read pass reloads them.
struct SystemPending {
  settings::PendingText setupPath, owner, organization;
  settings::PendingText iconDepth;     // Shell Icon BPP
  settings::PendingText iconCache;     // Max Cached Icons
  settings::PendingNumber cdCache;     // CacheSize
  settings::PendingNumber cdPrefetch;  // PreFetch
};

class SystemPage : public OptionPage {
 public:
  explicit SystemPage(app::MainWindow& window);

  const SystemPending& pending() const { return pending_; }
  // Which pending value the shared editors edit: "WinDir", "Owner", "IconCache", "CDCache",
  // "CDSpeed", or empty before the first action option is pressed.
  const std::string& editorMode() const { return mode_; }

  void Edit1Change();
  void Edit2Change();
  void SpeedButton1Click();
  void TrackBar1Change();

  // One slider editor: the pending value of each position, and its label. A pending value is
  // placed at the first position whose value it does not exceed, the last position taking all
  // above (so a negative one lands at 0).
  struct Slider {
    enum Kind { IconCache, CdCache, CdSpeed } kind;
    const char* mode;
    int width;
    std::vector<std::int32_t> values;
    std::vector<const char*> labels;  // CD-ROM speed only; the others name their value
  };
  static const Slider& slider(Slider::Kind kind) { return kSliders[kind]; }

 private:
  // A left press on an action option, after the marking, with the state before the press: sets
  // the editor mode (null leaves it as it is); unchecking resets what reset names and hides the
  // editors, checking opens the option's editor.
  void actionPressed(const char* mode, bool wasChecked, void (SystemPage::*open)(),
                     const std::function<void()>& reset = {});
  bool inMode(const char* mode) const;

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

  static const Slider kSliders[];

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
};

}  // namespace varnex::pages
