#pragma once
// The "Internet #2" page: the NWLink limits for connections and sockets, its NDI cache size, the
// session keep-alive time and two switches of the TCP/IP stack. Apart from the cache size, the
// write pass writes them only when the adapter scan of "Internet #1" found a connection.
#include <vector>

#include "app/main_window.h"
#include "app/page.h"
#include "pages/check_box_toggle.h"
#include "pages/internet_values.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/pages.h"

namespace varnex::pages {

class Internet2Page : public app::Page {
 public:
  Internet2Page(app::MainWindow& window, InternetValues& values);
  Internet2Page(const Internet2Page&) = delete;
  Internet2Page& operator=(const Internet2Page&) = delete;

  const char* sheet() const override { return "TabSheet11"; }
  std::vector<app::NamedRow> rows() override;
  void beforeFirstRead() override { Edit9.enabled = false; }
  // The pending values and controls only; "Back to Windows Default" writes the keep-alive time.
  void restoreDefaults() override;

  void RadioButton24Click();
  void SpinEdit8Change() { values_.keepAlive.value = std::to_string(SpinEdit8.value()); }
  void RxSpeedButton6Click();  // "Windows Default"
  void RxSpeedButton7Click();  // "Automatic"

 private:
  struct Preset {
    const char* cacheSize;
    ui::RadioButton* cacheButton;
    int keepAlive;
    const char *maxConnectMax, *maxConnectMin, *maxSocketsMax, *maxSocketsMin;
  };
  void apply(const Preset& preset);
  void showCacheSize();
  void addRow(const char* control, std::unique_ptr<settings::Row> row);

  app::MainWindow& window_;
  ui::Form& form_;
  InternetValues& values_;

  ui::TabSheet& TabSheet11;
  ui::GroupBox& GroupBox24;
  ui::Label& Label60;
  ui::Edit& Edit7;
  ui::Label& Label61;
  ui::Edit& Edit8;
  ui::GroupBox& GroupBox25;
  ui::Label& Label62;
  ui::Edit& Edit10;
  ui::Label& Label63;
  ui::Edit& Edit11;
  ui::GroupBox& GroupBox26;
  ui::RadioButton& RadioButton4;
  ui::RadioButton& RadioButton6;
  ui::RadioButton& RadioButton22;
  ui::RadioButton& RadioButton23;
  ui::RadioButton& RadioButton24;
  ui::Edit& Edit9;
  ui::GroupBox& GroupBox27;
  ui::Label& Label64;
  ui::SpinEdit& SpinEdit8;
  ui::Label& Label65;
  ui::CheckBox& CheckBox43;
  ui::CheckBox& CheckBox44;
  ui::Button& RxSpeedButton6;
  ui::Button& RxSpeedButton7;
  ui::Memo& Memo8;

  CheckBoxToggle discoveryToggle_{CheckBox43};
  CheckBoxToggle blackHoleToggle_{CheckBox44};
  std::vector<app::NamedRow> named_;
  std::vector<std::unique_ptr<settings::Row>> rows_;
};

}  // namespace varnex::pages
