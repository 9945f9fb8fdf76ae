#pragma once
// The "File-Cache" page: the file system's name cache and directory cache through the registry's
// file system templates (FS Templates), chosen by a typical role or set freely; and two gauges of
// free memory, filled at window creation and whenever the page is selected.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/page.h"
#include "pages/help_window.h"
#include "settings/rows.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/lists.h"
#include "ui/pages.h"
#include "ui/ranges.h"

namespace varnex::pages {

inline const char* const kFsTemplates = "Software\\Microsoft\\Windows\\CurrentVersion\\FS Templates";

// A typical role of ComboBox3 (indexes 1 to 3); index 0 "User Defined" uses the program's own
// template "Varnex".
struct CacheRole {
  const char* name;
  const char* templateName;
  int nameCache, pathCache;
};
extern const std::array<CacheRole, 3> kCacheRoles;

class FileCachePage : public app::Page {
 public:
  FileCachePage(app::MainWindow& window, HelpWindow& help);
  FileCachePage(const FileCachePage&) = delete;
  FileCachePage& operator=(const FileCachePage&) = delete;

  const char* sheet() const override { return "TabSheet8"; }
  std::vector<app::NamedRow> rows() override;
  void beforeFirstRead() override { fillMemoryGauges(); }
  void shown() override { fillMemoryGauges(); }
  void restoreDefaults() override;

  void fillMemoryGauges();

  void ComboBox3Change();
  void TrackBar5Change();
  void TrackBar6Change();
  void SpinEdit6Change();
  void SpinEdit7Change();
  void RxSpeedButton11Click() { help_.open(HelpText::FileCache); }

  // The template and the two cache sizes, one unit of the passes. The read of the two sizes is
  // not guarded: an unreadable value ends the read pass.
  void read(settings::Stores& stores);
  void write(settings::Stores& stores);

  const std::string& templateName() const { return template_; }

 private:
  app::MainWindow& window_;
  HelpWindow& help_;
  ui::TabSheet& TabSheet8;
  ui::Label& Label32;
  ui::ProgressBar& ProgressBar1;
  ui::Label& Label34;
  ui::Label& Label33;
  ui::ProgressBar& ProgressBar2;
  ui::Label& Label46;
  ui::Label& Label29;
  ui::TrackBar& TrackBar5;
  ui::SpinEdit& SpinEdit6;
  ui::Label& Label30;
  ui::TrackBar& TrackBar6;
  ui::SpinEdit& SpinEdit7;
  ui::Label& Label17;
  ui::ComboBox& ComboBox3;
  ui::Button& RxSpeedButton11;

  // Kept for the whole run: the active template's name and the buffers of the two binary values.
  std::string template_;
  std::uint32_t nameCache_ = 0;
  std::uint32_t pathCache_ = 0;
  std::unique_ptr<settings::Row> row_;
};

}  // namespace varnex::pages
