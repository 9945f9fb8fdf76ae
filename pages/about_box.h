#pragma once
// The information window TAboutBox "About": product, operating system and five memory figures,
// refreshed every five seconds from start-up to exit whether the window is shown or not. The
// main window waits disabled while it is open.
#include <string>

#include "app/main_window.h"
#include "app/platform_services.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/pages.h"

namespace varnex::pages {

// The operating-system line: "Windows 98 4.10 (Build 2222)", "Windows NT 4.0 (Build 1381: Service
// Pack 6)", or "Windows 5.1" for a platform of neither family.
std::string osInfoLine(const app::OsVersion& version);

// The main window's timer id of the window's Timer1.
inline constexpr int kAboutTimer1 = 102;

class AboutBox {
 public:
  static constexpr const char* kClassName = "TAboutBox";
  static constexpr const char* kCaption = "About";
  static constexpr int kClientWidth = 312;
  static constexpr int kClientHeight = 290;
  static constexpr unsigned kRefreshMs = 5000;

  explicit AboutBox(app::MainWindow& main);
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  ui::Form& form() { return form_; }
  bool shown() const { return shown_; }
  ui::Button& defaultButton() { return RxSpeedButton1; }

  // Window creation, right after the main window's: the OS line, the captions, the figures, and
  // the refresh timer started.
  void FormCreate();
  void GetOSInfo();
  void Timer1Timer() { showMemory(); }
  void RxSpeedButton1Click() { FormClose(); }  // "OK"
  // Every way the window closes: the main window takes input again; this one is only hidden.
  void FormClose();
  // The main window's "About": hides its editor groups, disables it, shows this window.
  void open();

 private:
  ui::Label& label(const char* name, int left, int top, const char* caption = "", int width = 0);
  void showMemory();

  app::MainWindow& main_;
  ui::Form form_;
  ui::Label& RxLabel1;
  ui::Label& RxLabel2;
  ui::Label& Image1;
  ui::Label& Label2;
  ui::Label& Label3;
  ui::GroupBox& GroupBox1;
  ui::Label& OS;
  ui::Label& Label4;
  ui::Label& Label7;
  ui::Label& Label8;
  ui::Label& Label9;
  ui::Label& Label10;
  ui::Label& Label11;
  ui::Label& Label12;
  ui::Label& Label13;
  ui::Label& Label14;
  ui::Label& Label15;
  ui::Button& RxSpeedButton1;
  bool shown_ = false;
};

}  // namespace varnex::pages
