#pragma once
// The "File-Cache" page. For now its memory gauges: free physical memory and free paging file in
// percent, filled at window creation and whenever the page is selected.
#include "app/main_window.h"
#include "app/page.h"
#include "ui/pages.h"
#include "ui/ranges.h"

namespace varnex::pages {

class FileCachePage : public app::Page {
 public:
  explicit FileCachePage(app::MainWindow& window);
  FileCachePage(const FileCachePage&) = delete;
  FileCachePage& operator=(const FileCachePage&) = delete;

  const char* sheet() const override { return "TabSheet8"; }
  void beforeFirstRead() override { fillMemoryGauges(); }
  void shown() override { fillMemoryGauges(); }

  void fillMemoryGauges();

 private:
  app::MainWindow& window_;
  ui::TabSheet& TabSheet8;
  ui::Label& Label32;
  ui::ProgressBar& ProgressBar1;
  ui::Label& Label34;
  ui::Label& Label33;
  ui::ProgressBar& ProgressBar2;
  ui::Label& Label46;
};

}  // namespace varnex::pages
