#include "pages/file_cache_page.h"

#include <cstdint>
#include <string>

namespace varnex::pages {

FileCachePage::FileCachePage(app::MainWindow& window)
    : window_(window),
      TabSheet8(window.form().get<ui::TabSheet>("TabSheet8")),
      Label32(window.form().add<ui::Label>("Label32", &TabSheet8, {16, 60, 140, 16}, "Free physical memory :")),
      ProgressBar1(window.form().add<ui::ProgressBar>("ProgressBar1", &TabSheet8, {160, 58, 200, 18})),
      Label34(window.form().add<ui::Label>("Label34", &TabSheet8, {370, 60, 50, 16})),
      Label33(window.form().add<ui::Label>("Label33", &TabSheet8, {16, 88, 140, 16}, "Free virtual memory :")),
      ProgressBar2(window.form().add<ui::ProgressBar>("ProgressBar2", &TabSheet8, {160, 86, 200, 18})),
      Label46(window.form().add<ui::Label>("Label46", &TabSheet8, {370, 88, 50, 16})) {
  ProgressBar1.setRange(0, 100);
  ProgressBar2.setRange(0, 100);
}

void FileCachePage::fillMemoryGauges() {
  app::MemoryStatus m = window_.platform().memoryStatus();
  const std::uint32_t totalPhys = m.totalPhys / 1024, availPhys = m.availPhys / 1024;
  const std::uint32_t totalPage = m.totalPageFile / 1024, availPage = m.availPageFile / 1024;
  // A total reported as 0 shows an empty gauge instead of dividing by zero.
  auto percent = [](std::uint32_t avail, std::uint32_t total) -> int {
    return total == 0 ? 0 : static_cast<int>(static_cast<std::uint64_t>(avail) * 100 / total);
  };
  ProgressBar1.setPosition(percent(availPhys, totalPhys));
  ProgressBar2.setPosition(percent(availPage, totalPage));
  Label34.caption = std::to_string(ProgressBar1.position()) + " %";
  Label46.caption = std::to_string(ProgressBar2.position()) + " %";
}

}  // namespace varnex::pages
