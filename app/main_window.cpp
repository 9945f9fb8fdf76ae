#include "app/main_window.h"

#include "app/config_dat.h"
#include "settings/profile_store.h"

namespace varnex::app {

namespace {

// Page-relative layout shared by the option pages: columns of options at the top, the
// description frame below them, the editor frame at the bottom left beside the command buttons.
constexpr ui::Bounds kHeading{48, 10, 300, 24};
constexpr ui::Bounds kDescriptionFrame{8, 250, 321, 84};
constexpr ui::Bounds kDescriptionPane{8, 16, 305, 60};
constexpr ui::Bounds kEditorFrame{8, 340, 321, 58};

const char* const kEditorGroups[] = {"Page1", "Page2", "Page3", "Page4"};

}  // namespace

const std::vector<PageInfo>& pageTable() {
  static const std::vector<PageInfo> pages = {
      {"TabSheet1", "Boot", "Boot Optimizer", "Memo1", "GroupBox1", "Description", "GroupBox2"},
      {"TabSheet2", "System", "System Optimizer", "Memo2", "GroupBox3", "Description", "GroupBox4"},
      {"TabSheet3", "Windows", "Windows Enhancements", "Memo3", "GroupBox5", "Description", "GroupBox6"},
      {"TabSheet9", "Start Menu", "Start Menu Enhancements", "Memo7", "GroupBox14", "Description", "GroupBox19"},
      {"TabSheet5", "Internet #1", "Internet Optimizer", "Memo4", "GroupBox8", "", ""},
      {"TabSheet11", "Internet #2", "Internet Optimizer", "Memo8", "GroupBox22", "", ""},
      {"TabSheet10", "Add/Remove", "Add/Remove Program", "", "", "", ""},
      {"TabSheet8", "File-Cache", "File-Cache Optimizer", "", "", "", ""},
      {"TabSheet4", "Disk-Cache", "Disk-Cache Optimizer", "", "", "", ""},
      {"TabSheet7", "Shutdown", "Auto Shutdown", "", "", "", ""},
      {"TabSheet6", "Varnex", "", "Memo5", "GroupBox13", "", ""},
  };
  return pages;
}

MainWindow::MainWindow(PlatformServices& platform, settings::StoreApis stores)
    : platform_(platform), stores_(stores) {
  build();
}

void MainWindow::build() {
  auto& pages = form_.add<ui::PageControl>("PageControl1", nullptr, {0, 0, kClientWidth, kClientHeight});
  pages.onChange = [this] { PageControl1Change(); };
  int heading = 0;
  for (const PageInfo& info : pageTable()) {
    auto& sheet = form_.add<ui::TabSheet>(info.sheet, &pages, {}, info.tab);
    ++heading;
    if (*info.heading) form_.add<ui::Label>("Heading" + std::to_string(heading), &sheet, kHeading, info.heading);
    if (*info.pane) {
      auto& frame = form_.add<ui::GroupBox>(info.frame, &sheet, kDescriptionFrame, info.frameCaption);
      auto& memo = form_.add<ui::Memo>(info.pane, &frame, kDescriptionPane);
      memo.readOnly = true;
    }
    if (*info.editorFrame) form_.add<ui::GroupBox>(info.editorFrame, &sheet, kEditorFrame);
  }
  pane("Memo1")->enabled = false;

  // The command buttons lie over every page at the bottom right.
  form_.add<ui::Button>("Button1", nullptr, {366, 394, 75, 25}, "OK").onClick = [this] { Button1Click(); };
  form_.add<ui::Button>("Button5", nullptr, {448, 394, 75, 25}, "Apply").onClick = [this] { Button5Click(); };
  form_.add<ui::Button>("Button4", nullptr, {366, 424, 75, 25}, "Cancel").onClick = [this] { Button4Click(); };
  form_.add<ui::Button>("Button7", nullptr, {448, 424, 75, 25}, "Hide").onClick = [this] { Button7Click(); };

  // Moving over a page background clears its pane; so do a few frames. The "Description" frames
  // of the Boot and Start Menu pages clear nothing, so a help text survives the move onto them.
  const std::pair<const char*, const char*> clearing[] = {
      {"TabSheet1", "Memo1"}, {"TabSheet2", "Memo2"}, {"TabSheet3", "Memo3"},  {"TabSheet9", "Memo7"},
      {"TabSheet5", "Memo4"}, {"TabSheet11", "Memo8"}, {"TabSheet6", "Memo5"}, {"GroupBox3", "Memo2"},
      {"GroupBox5", "Memo3"}, {"Memo8", "Memo8"},
  };
  for (const auto& clears : clearing) {
    const char* memo = clears.second;
    form_.find(clears.first)->onMouseMove = [this, memo] { clearHelp(*pane(memo)); };
  }
}

void MainWindow::showHelp(ui::Memo& memo, const std::string& text) {
  memo.enabled = true;
  memo.setText(text);
}

void MainWindow::clearHelp(ui::Memo& memo) {
  memo.enabled = false;
  memo.setText("");
}

void MainWindow::attachOption(ui::CheckBox& box, const std::string& editorGroup,
                              std::function<void(bool)> then) {
  addOption(box);
  box.onMouseDown = [this, &box, editorGroup, then](ui::MouseButton button) {
    if (button != ui::MouseButton::Left) return;
    if (!editorGroup.empty()) HidePage(editorGroup);
    box.captionColour = ui::kNavy;
    if (then) then(box.checked());
  };
}

void MainWindow::reportError(const std::string& message) {
  platform_.messageBox(message, "Varnex 2000", kMbOk | kMbIconError);
}

void MainWindow::showMachineAsItIs() {
  hideEditorGroups();
  for (ui::CheckBox* box : options_) box->captionColour = ui::kBlack;
  programsRefreshFlag = true;
  BacaData();
}

void MainWindow::lockBootFile() {
  settings::FileStore files = stores_.files();
  files.setAttributes(settings::kMsdosSys, settings::kAttrReadOnly | settings::kAttrHidden | settings::kAttrSystem);
}

void MainWindow::offerRestart() {
  if (platform_.messageBox(kRestartQuestion, kConfirmTitle, kMbYesNoCancel | kMbIconQuestion) != kIdYes) return;
  platform_.exitWindows(kEwxReboot);
  lockBootFile();
}

void MainWindow::setPasses(std::vector<settings::Row*> readPass, std::vector<settings::Row*> writePass) {
  readPass_ = std::move(readPass);
  writePass_ = std::move(writePass);
}

bool MainWindow::BacaData() {
  if (auto error = settings::runReadPass(readPass_, stores_)) {
    reportError(*error);
    return false;
  }
  return true;
}

bool MainWindow::TulisData(Reporting reporting) {
  BackupPass backup(*this, reporting);  // ends after the pass's own error box
  if (auto error = settings::runWritePass(writePass_, stores_)) {
    if (reporting == Reporting::Log && backup.stoppedThePass()) {
      logLine(*this, *error);
      return true;
    }
    reportError(*error);
    return false;
  }
  return true;
}

void MainWindow::timerFired(int id) {
  auto it = timers_.find(id);
  if (it != timers_.end() && it->second) it->second();
}

void MainWindow::hideEditorGroups() {
  for (const char* group : kEditorGroups) HidePage(group);
}

void MainWindow::FormCreate(const Records& startRecords) {
  programDirectory_ = platform_.currentDirectory();
  records_ = startRecords;
  Records fresh{};
  if (int error = platform_.readRecords(configPath(programDirectory_), fresh))
    reportError(fileErrorText(error));  // keep start-up's copy: the reserved records must survive
  else
    records_ = fresh;
  for (Page* page : pages_) page->beforeFirstRead();  // gauges, start states of the pages
  restartFlag = countdownRunning = programsRefreshFlag = false;
  settings::FileStore files = stores_.files();
  files.setAttributes(settings::kMsdosSys, settings::kAttrArchive);
  BacaData();  // an error is shown; creation goes on so the window reaches its start state
  auto& pages = form_.get<ui::PageControl>("PageControl1");
  pages.setActivePage(form_.get<ui::TabSheet>("TabSheet1"));
  hideEditorGroups();
  for (Page* page : pages_) page->afterFirstRead();
}

void MainWindow::PageControl1Change() {
  hideEditorGroups();
  for (const PageInfo& info : pageTable())
    if (*info.pane) clearHelp(*pane(info.pane));
  auto* active = form_.get<ui::PageControl>("PageControl1").activePage();
  if (!active) return;
  for (Page* page : pages_)
    if (active->name() == page->sheet()) page->shown();
}

void MainWindow::Button5Click() {
  hideEditorGroups();
  for (ui::CheckBox* box : options_) box->captionColour = ui::kBlack;
  if (TulisData()) BacaData();
}

void MainWindow::Button1Click() {
  restartFlag = true;
  if (!TulisData()) return;
  if (countdownRunning)
    hideWindow();
  else
    close();
}

void MainWindow::Button4Click() {
  restartFlag = false;
  close();
}

void MainWindow::Button7Click() { hideWindow(); }

void MainWindow::FormActivate() {
  for (Page* page : pages_) page->activated();
}

bool MainWindow::FormCloseQuery() {
  programDirectory_ = platform_.currentDirectory();
  if (int error = platform_.writeRecords(configPath(programDirectory_), records_)) {
    reportError(fileErrorText(error));
    return false;
  }
  bool mayClose = true;
  if (countdownRunning &&
      platform_.messageBox(kCountdownQuestion, kConfirmTitle, kMbYesNo | kMbIconQuestion) == kIdNo)
    mayClose = false;
  if (restartFlag) {
    HidePage("Page1");
    HidePage("Page2");
    HidePage("Page3");
    switch (platform_.messageBox(kRestartQuestion, kConfirmTitle, kMbYesNoCancel | kMbIconQuestion)) {
      case kIdYes:
        platform_.exitWindows(kEwxReboot);
        [[fallthrough]];
      case kIdNo:
        lockBootFile();
        break;
      default:
        restartFlag = false;
        mayClose = false;
        break;
    }
  }
  return mayClose;
}

bool MainWindow::close() {
  if (closed_ || !FormCloseQuery()) return false;
  closed_ = true;
  if (onClosed) onClosed();
  return true;
}

void MainWindow::hideWindow() {
  shown_ = false;
  platform_.showMainWindow(false);
  platform_.showTrayIcon("Varnex");
}

void MainWindow::showWindow() {
  shown_ = true;
  platform_.showMainWindow(true);
  platform_.removeTrayIcon();
}

void MainWindow::restoreRequest() { showWindow(); }

void MainWindow::trayRightButtonUp() {
  switch (platform_.popupMenu({"Restore", "Exit"})) {
    case 0:
      Restore1Click();
      break;
    case 1:
      Exit1Click();
      break;
    default:
      break;
  }
}

void MainWindow::Exit1Click() {
  if (countdownRunning &&
      platform_.messageBox(kCountdownQuestion, kConfirmTitle, kMbYesNo | kMbIconQuestion) != kIdYes)
    return;
  close();
}

}  // namespace varnex::app
