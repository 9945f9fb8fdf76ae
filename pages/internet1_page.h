#pragma once
// The "Internet #1" page: the IP MTU of each kind of connection, the TCP receive window and the
// IP time to live. It owns the adapter scan that decides whether both Internet pages can be used
// and whether the write pass writes their settings.
#include <vector>

#include "app/main_window.h"
#include "app/page.h"
#include "pages/help_window.h"
#include "pages/internet_values.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/lists.h"
#include "ui/pages.h"

namespace varnex::pages {

// The kinds of connection the list offers, as the adapter scan finds them.
inline const char* const kPhoneLineConnection = "Using a phone line and a modem";
inline const char* const kLanConnection = "Using a local area network (LAN)";

class Internet1Page : public app::Page {
 public:
  Internet1Page(app::MainWindow& window, InternetValues& values, HelpWindow& help);
  Internet1Page(const Internet1Page&) = delete;
  Internet1Page& operator=(const Internet1Page&) = delete;

  const char* sheet() const override { return "TabSheet5"; }
  std::vector<app::NamedRow> rows() override;
  void afterFirstRead() override;
  void restoreDefaults() override;

  // The MTU the MTU editors act on, or null when the list selects none.
  settings::PendingText* selectedMtu();

  void IsiDataInternet();
  void InternetDisable();
  void ComboBox2Change();
  void Edit3Change() { if (auto* mtu = selectedMtu()) applyEditRule(Edit3, *mtu); }
  void Edit4Change() { applyEditRule(Edit4, values_.receiveWindow); }
  void Edit5Change() { applyEditRule(Edit5, values_.timeToLive); }
  void RadioButton8Click();
  void RadioButton14Click();
  void RadioButton19Click();
  void RxSpeedButton8Click();  // "Windows Default"
  void RxSpeedButton9Click();  // "Automatic"
  void RxSpeedButton10Click() { help_.open(HelpText::Internet); }

 private:
  class AdapterRow;
  // Checks the first radio button whose value equals `value`, else the frame's "Custom" button
  // with the value in its field.
  struct Choice {
    ui::RadioButton* button;
    const char* value;
  };
  void select(const std::vector<Choice>& choices, ui::RadioButton& custom, ui::Edit& field,
              const std::string& value);
  void showMtu(const std::string& mtu);
  void scanned(bool dialUp, const std::string* mtu);

  app::MainWindow& window_;
  ui::Form& form_;
  InternetValues& values_;
  HelpWindow& help_;

  ui::TabSheet& TabSheet5;
  ui::Label& Label48;
  ui::ComboBox& ComboBox2;
  ui::GroupBox& GroupBox9;
  ui::RadioButton& RadioButton18;
  ui::RadioButton& RadioButton5;
  ui::RadioButton& RadioButton7;
  ui::RadioButton& RadioButton8;
  ui::Edit& Edit3;
  ui::GroupBox& GroupBox10;
  ui::RadioButton& RadioButton9;
  ui::RadioButton& RadioButton10;
  ui::RadioButton& RadioButton11;
  ui::RadioButton& RadioButton12;
  ui::RadioButton& RadioButton13;
  ui::RadioButton& RadioButton14;
  ui::Edit& Edit4;
  ui::GroupBox& GroupBox11;
  ui::RadioButton& RadioButton15;
  ui::RadioButton& RadioButton16;
  ui::RadioButton& RadioButton17;
  ui::RadioButton& RadioButton19;
  ui::Edit& Edit5;
  ui::Button& RxSpeedButton8;
  ui::Button& RxSpeedButton9;
  ui::Button& RxSpeedButton10;
  ui::Memo& Memo4;

  std::vector<app::NamedRow> named_;
  std::vector<std::unique_ptr<settings::Row>> rows_;
};

}  // namespace varnex::pages
