#include "pages/program_page.h"

#include "pages/command_editor.h"
#include "pages/layout.h"
#include "pages/shortcut_row.h"

namespace varnex::pages {

namespace {

const char kStartMenuFolder[] = "\\Start Menu\\Programs\\Varnex 2000";
constexpr int kOptionLeft = 12, kOptionWidth = 290, kOptionHeight = 17;

}  // namespace

ProgramPage::ProgramPage(app::MainWindow& window, AboutBox& about, UndoWindow& undo)
    : window_(window),
      about_(about),
      undo_(undo),
      TabSheet6(window.form().get<ui::TabSheet>("TabSheet6")),
      Memo5(window.form().get<ui::Memo>("Memo5")),
      Image8(window.form().add<ui::Label>("Image8", &TabSheet6, {8, 4, 32, 32})),
      RxLabel11(window.form().add<ui::Label>("RxLabel11", &TabSheet6, {48, 8, 300, 30}, "Varnex 2000")),
      RxSpeedButton1(window.form().add<ui::Button>("RxSpeedButton1", &TabSheet6, {16, 48, 90, 25}, "Home Page")),
      RxSpeedButton2(window.form().add<ui::Button>("RxSpeedButton2", &TabSheet6, {114, 48, 90, 25}, "Send Email")),
      RxSpeedButton4(window.form().add<ui::Button>("RxSpeedButton4", &TabSheet6, {212, 48, 90, 25}, "About")),
      GroupBox20(window.form().add<ui::GroupBox>("GroupBox20", &TabSheet6, {8, 88, 321, 146})),
      CheckBox64(window.form().add<ui::CheckBox>("CheckBox64", &GroupBox20, {kOptionLeft, 20, kOptionWidth, kOptionHeight},
                                                 "Back to Windows Default")),
      RxSpeedButton13(window.form().add<ui::Button>("RxSpeedButton13", &GroupBox20, {kOptionLeft, 42, 120, 23},
                                                    "Undo Changes...")),
      CheckBox45(addShortcutOption("CheckBox45", "Enable Desktop Icon", "Show Varnex 2000 icon on the desktop.", 74)),
      CheckBox46(addShortcutOption("CheckBox46", "Enable QuickLaunch Icon",
                                   "Show Varnex 2000 icon on the quicklaunch toolbar.", 96)),
      CheckBox47(addShortcutOption("CheckBox47", "Enable Start Menu Icon", "Show Varnex 2000 icon on the start menu.",
                                   118)),
      GroupBox28(window.form().add<ui::GroupBox>("GroupBox28", &TabSheet6, {340, 88, 176, 146}, "Profiles")),
      Button12(window.form().add<ui::Button>("Button12", &GroupBox28, {13, 24, 150, 25}, "Save Settings...")),
      Button13(window.form().add<ui::Button>("Button13", &GroupBox28, {13, 58, 150, 25}, "Load Settings...")) {
  Image8.icon = kProgramIcon;
  RxLabel11.font = kTitleFont;
  RxLabel11.captionColour = ui::kNavy;
  for (ui::Button* link : {&RxSpeedButton1, &RxSpeedButton2, &RxSpeedButton4}) link->handCursor = true;
  RxSpeedButton1.onClick = [this] { RxSpeedButton1Click(); };
  RxSpeedButton2.onClick = [this] { RxSpeedButton2Click(); };
  RxSpeedButton4.onClick = [this] { RxSpeedButton4Click(); };
  RxSpeedButton13.onClick = [this] { RxSpeedButton13Click(); };
  Button12.onClick = [this] { Button12Click(); };
  Button13.onClick = [this] { Button13Click(); };
  GroupBox20.onMouseMove = [this] { window_.clearHelp(Memo5); };
  GroupBox28.onMouseMove = [this] { window_.clearHelp(Memo5); };
  Button12.onMouseMove = [this] {
    window_.showHelp(Memo5, "Use this option to save the settings of every page in a profile file, to load here or "
                            "on another computer.");
  };
  Button13.onMouseMove = [this] {
    window_.showHelp(Memo5, "Use this option to load the settings of a profile file into the pages. Nothing is "
                            "written until you press Apply or OK.");
  };

  window_.addOption(CheckBox64);  // "Apply" turns its caption black
  CheckBox64.onMouseDown = [this](ui::MouseButton button) { CheckBox64MouseDown(button); };
  CheckBox64.onMouseMove = [this] {
    window_.showHelp(Memo5, "Use this option if you want to restore Windows default settings.");
  };

  const std::pair<ui::CheckBox*, ShortcutRowDefinition> shortcuts[] = {
      {&CheckBox45, {"\\Desktop", {{"Varnex 2000.lnk", "\\Varnex.exe"}}}},
      {&CheckBox46,
       {"\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch", {{"Varnex 2000.lnk", "\\Varnex.exe"}}}},
      {&CheckBox47,
       {kStartMenuFolder,
        {{"Varnex 2000.lnk", "\\Varnex.exe"}, {"Readme.lnk", "\\Readme.txt"}, {"Uninstall.lnk", "\\Uninstall.lnk", true}},
        true}},
  };
  for (const auto& [box, definition] : shortcuts) {
    toggles_.push_back(std::make_unique<CheckBoxToggle>(*box));
    rows_.push_back(std::make_unique<ShortcutRow>(definition, *toggles_.back()));
    named_.push_back({box->name(), rows_.back().get()});
  }
}

ui::CheckBox& ProgramPage::addShortcutOption(const char* control, const char* caption, const char* help, int top) {
  auto& box = window_.form().add<ui::CheckBox>(control, &GroupBox20, {kOptionLeft, top, kOptionWidth, kOptionHeight},
                                               caption);
  const std::string text = help;
  box.onMouseMove = [this, text] { window_.showHelp(Memo5, text); };
  window_.attachOption(box, "");
  return box;
}

std::vector<app::NamedRow> ProgramPage::rows() { return named_; }

void ProgramPage::restoreDefaults() {
  CheckBox45.setChecked(false);
  CheckBox46.setChecked(false);
  CheckBox47.setChecked(true);
}

void ProgramPage::RxSpeedButton1Click() { window_.platform().shellExecute("open", kHomePage, "", ""); }

void ProgramPage::RxSpeedButton2Click() {
  window_.platform().shellExecute("open", std::string("mailto:") + kSupportMail, "", "");
}

void ProgramPage::CheckBox64MouseDown(ui::MouseButton button) {
  if (button != ui::MouseButton::Left) return;
  CheckBox64.captionColour = ui::kNavy;
  CheckBox64.setChecked(true);
  switch (window_.platform().messageBox(kAreYouSure, app::kConfirmTitle, app::kMbYesNo | app::kMbIconQuestion)) {
    case app::kIdYes:
      if (backToWindowsDefault) backToWindowsDefault();
      break;
    case app::kIdNo:
      releaseBackToWindowsDefault();
      break;
    default:  // dismissed: the box stays checked and marked until the next "Apply"
      break;
  }
}

void ProgramPage::releaseBackToWindowsDefault() {
  CheckBox64.captionColour = ui::kBlack;
  CheckBox64.setChecked(false);
}

}  // namespace varnex::pages
