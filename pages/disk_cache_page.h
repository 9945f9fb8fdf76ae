#pragma once
// The "Disk-Cache" page: the minimum, maximum and chunk size of the disk cache in section vcache
// of SYSTEM.INI, set by a named profile or by three sliders. The value labels are what the write
// pass writes.
#include <array>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/page.h"
#include "pages/help_window.h"
#include "settings/rows.h"
#include "ui/buttons.h"
#include "ui/lists.h"
#include "ui/pages.h"
#include "ui/ranges.h"

namespace varnex::pages {

// Slider positions of a profile: minimum and maximum in units of 1024 KB, chunk in units of 32 KB.
struct CacheProfile {
  const char* name;
  int minimum, maximum, chunk;
};
// Indexes 1 to 6 of ComboBox1; index 0 "User Defined" has no positions of its own.
extern const std::array<CacheProfile, 6> kCacheProfiles;

class DiskCachePage : public app::Page {
 public:
  DiskCachePage(app::MainWindow& window, HelpWindow& help);
  DiskCachePage(const DiskCachePage&) = delete;
  DiskCachePage& operator=(const DiskCachePage&) = delete;

  const char* sheet() const override { return "TabSheet4"; }
  std::vector<app::NamedRow> rows() override;
  void shown() override { placeLabels(); }
  void restoreDefaults() override;

  void ComboBox1Change();
  void TrackBar2Change();
  void TrackBar3Change();
  void TrackBar4Change();
  void RxSpeedButton12Click() { help_.open(HelpText::DiskCache); }

  // The read and write of the three vcache entries, one unit of the passes.
  void read(settings::Stores& stores);
  void write(settings::Stores& stores);

 private:
  // Each value label 5 pixels right of its caption, each "KB" label 5 pixels right of its value.
  void placeLabels();
  void setValueLabels();
  void selectMatchingProfile();

  HelpWindow& help_;
  ui::TabSheet& TabSheet4;
  ui::Label& Label7;
  ui::ComboBox& ComboBox1;
  ui::Button& RxSpeedButton12;
  ui::Label& Label8;
  ui::Label& Label22;
  ui::Label& Label11;
  ui::TrackBar& TrackBar2;
  ui::Label& Label9;
  ui::Label& Label23;
  ui::Label& Label12;
  ui::TrackBar& TrackBar3;
  ui::Label& Label10;
  ui::Label& Label24;
  ui::Label& Label13;
  ui::TrackBar& TrackBar4;
  std::unique_ptr<settings::Row> row_;
};

}  // namespace varnex::pages
