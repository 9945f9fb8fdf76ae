#include "pages/windows_page.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "settings/store_error.h"

namespace varnex::pages {

namespace {

using settings::kHkeyClassesRoot;
using settings::kHkeyCurrentUser;
using settings::kHkeyLocalMachine;
using settings::kHkeyUsers;
using settings::registryValue;
using settings::Value;
using settings::ValueKind;
using W = settings::WriteAction;

Value text(const char* t) { return std::string(t); }
Value number(std::uint32_t n) { return n; }

const char* const kDesktop = "Control Panel\\Desktop";
const char* const kMyComputer = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char* const kExploreMyComputer = "explorer.exe /e,/n,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char* const kNotepadCommand = "notepad.exe %1";
const char* const kPromptCommand = "C:\\Command.com /k cd \"%1\"";
const char* const kBitmapIconKey = "Paint.Picture\\DefaultIcon";
const char* const kThumbnailIcon = "%1";
const char* const kSavedIcon = "OldBitmapIcon";

// A write action that first opens (with create) the key it names: from the root when the path
// begins with a backslash, else below the key the action before opened.
W in(const char* key, W action) {
  action.openSubKey = key;
  return action;
}

settings::CheckRowDefinition ifPresent(settings::CheckRowDefinition d) {
  d.read.ifPresent = true;
  return d;
}

// The verb rows name every key they open in their write actions; the row's own key is the
// deepest one, which only the read pass opens.
settings::CheckRowDefinition opensOwnKeys(settings::CheckRowDefinition d) {
  d.writeOpensOwnKeys = true;
  return d;
}

struct ToggleOption {
  const char* control;
  const char* caption;
  const char* help;
  settings::CheckRowDefinition row;
  bool byDefault;  // after "Back to Windows Default"
};

// In pass order, which is also their order on the page.
std::vector<ToggleOption> toggleOptions() {
  return {
      {"CheckBox29", "More Flexible Recycle Bin",
       "Use this option to make your recycle bin act like common icon.",
       toggle(registryValue(kHkeyClassesRoot, "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder",
                            "Attributes"),
              ValueKind::Binary, number(9), number(0x20000170), {W::write(number(0x20000170))},
              {W::writeIfPresent(number(0x20000140))}),
       false},
      {"CheckBox32", "Hide Windows Version Number",
       "Use this option to remove Windows version number that appears on the bottom right corner of desktop.",
       ifPresent(toggle(registryValue(kHkeyCurrentUser, kDesktop, "PaintDesktopVersion"), ValueKind::Text,
                        text("0"), text("0"), {W::write(text("0"))}, {W::writeIfPresent(text("1"))})),
       true},
      {"CheckBox33", "Shortcut without \"Shortcut to\"",
       "Use this option to stop Windows adding \"Shortcut to\" word when you create a shortcut.",
       toggle(registryValue(kHkeyUsers, ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "link"),
              ValueKind::Binary, number(9), number(0), {W::write(number(0))}, {W::writeIfPresent(number(20))}),
       false},
      {"CheckBox34", "Remove Arrow Symbol on Shortcut",
       "Use this option to remove arrow symbol that appears on the bottom right corner of shortcut icon.",
       toggle(registryValue(kHkeyClassesRoot, "lnkfile", "IsShortcut"), ValueKind::ValuePresence, number(0),
              number(0), {W::deleteValue()}, {W::write(text(""))}),
       false},
      {"CheckBox35", "Run Explorer from My Computer",
       "Use this option to run Windows Explorer when you double-clicking My Computer icon.",
       opensOwnKeys(toggle(registryValue(kHkeyClassesRoot, std::string(kMyComputer) + "\\shell\\Open\\Command", ""),
                           ValueKind::Text, text(""), text(kExploreMyComputer),
                           {in("\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Open\\Command",
                               W::write(text(kExploreMyComputer)))},
                           {in("\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell", W::deleteKey("Open"))})),
       false},
      {"CheckBox36", "Enable Refresh Automaticly",
       "Use this option to make your desktop refresh automaticly without pressing F5 key.",
       toggle(registryValue(kHkeyLocalMachine, "System\\CurrentControlSet\\Control\\Update", "UpdateMode"),
              ValueKind::Binary, number(9), number(0), {W::write(number(0))}, {W::writeIfPresent(number(1))}),
       false},
      {"CheckBox37", "Enable Smooth Scrolling", "Use this option to enable smooth scrolling function.",
       toggle(registryValue(kHkeyCurrentUser, kDesktop, "SmoothScroll"), ValueKind::Binary, number(9), number(1),
              {W::write(number(1))}, {W::deleteValue()}),
       true},
      {"CheckBox38", "Enable Windows Animation", "Use this option to enable Windows animation function.",
       ifPresent(toggle(registryValue(kHkeyCurrentUser, "Control Panel\\Desktop\\WindowMetrics", "MinAnimate"),
                        ValueKind::Text, text("1"), text("1"), {W::write(text("1"))}, {W::writeIfPresent(text("0"))})),
       true},
      {"CheckBox39", "Small Icons in Explorer Toolbar", "Use this option to make icons in Explorer toolbar smallest.",
       ignoringCase(toggle(
           registryValue(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SmallIcons",
                         "SmallIcons"),
           ValueKind::Text, text("NO"), text("YES"), {W::write(text("YES"))}, {W::deleteValue()})),
       false},
      {"CheckBox40", "Use Notepad to Open Unknown Files",
       "Use this option to add notepad to the context menu of all unknown files.",
       opensOwnKeys(toggle(registryValue(kHkeyLocalMachine, "Software\\CLASSES\\Unknown\\shell\\Notepad\\Command", ""),
                           ValueKind::Text, text(""), text(kNotepadCommand),
                           {in("\\Software\\CLASSES\\Unknown\\shell", W::write(text("Notepad"))),
                            in("NotePad", W::write(text("&Notepad"))),
                            in("Command", W::write(text(kNotepadCommand)))},
                           {in("\\Software\\CLASSES\\Unknown\\shell", W::write(text(""))), W::deleteKey("NotePad")})),
       false},
      {"CheckBox41", "Add Command Prompt for All Folder",
       "Use this option to add command prompt to the context menu of all folder.",
       opensOwnKeys(toggle(registryValue(kHkeyClassesRoot, "Directory\\shell\\DOS\\Command", ""), ValueKind::Text,
                           text(""), text(kPromptCommand),
                           {in("\\Directory\\shell\\DOS", W::write(text("Command Prompt Here"))),
                            in("Command", W::write(text(kPromptCommand)))},
                           {in("\\Directory\\shell", W::deleteKey("DOS"))})),
       false},
      {"CheckBox42", "Edit as Default for Batch Files",
       "Use this option to make edit as a default action when you double-clicking batch file.",
       toggle(registryValue(kHkeyClassesRoot, "batfile\\shell", ""), ValueKind::Text, text(""), text("edit"),
              {W::write(text("edit"))}, {W::write(text(""))}),
       false},
  };
}

// "Display Bitmap Icon as Thumbnail": the box follows whether bitmaps show as their own icon
// ("%1"). Turning it on saves the icon in force beside it, turning it off puts the saved one back,
// so the user's own icon survives any number of round trips.
class ThumbnailRow final : public settings::Row {
 public:
  ThumbnailRow(ui::CheckBox& box, std::string& iconAsLoaded) : box_(box), asLoaded_(iconAsLoaded) {}

  void read(settings::Stores& stores) override {
    std::string icon;
    try {
      settings::RegistryStore registry = stores.registry();
      registry.setRoot(kHkeyClassesRoot);
      registry.openKey(kBitmapIconKey, false);
      icon = registry.readText("");
    } catch (const settings::StoreError&) {
      icon.clear();
    }
    asLoaded_ = icon;
    box_.setChecked(icon == kThumbnailIcon);
  }

  void write(settings::Stores& stores) override {
    settings::RegistryStore registry = stores.registry();
    registry.setRoot(kHkeyClassesRoot);
    registry.openKey(kBitmapIconKey, true);
    if (box_.checked()) {
      // Already thumbnails: the saved icon is the user's, never "%1" over it.
      if (asLoaded_ == kThumbnailIcon) return;
      registry.writeText(kSavedIcon, asLoaded_);
      registry.writeText("", kThumbnailIcon);
      return;
    }
    if (!registry.valueExists(kSavedIcon)) return;
    const std::string saved = registry.readText(kSavedIcon);
    registry.writeText("", saved);
    asLoaded_ = saved;
    registry.deleteValue(kSavedIcon);
  }

 private:
  ui::CheckBox& box_;
  std::string& asLoaded_;
};

}  // namespace

WindowsPage::WindowsPage(app::MainWindow& window)
    : OptionPage(window, "TabSheet3", "Memo3", "Page3"),
      GroupBox6(form_.get<ui::GroupBox>("GroupBox6")),
      Label49(form_.add<ui::Label>("Label49", &GroupBox6, {8, 10, 300, 14})),
      Edit6(form_.add<ui::Edit>("Edit6", &GroupBox6, {8, 28, 278, 21})),
      SpeedButton2(form_.add<ui::Button>("SpeedButton2", &GroupBox6, {290, 28, 23, 21}, "...")) {
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label49, &Edit6, &SpeedButton2})
    form_.addToGroup("Page3", *c);
  form_.hideGroup("Page3");
  Edit6.onChange = [this] { Edit6Change(); };
  SpeedButton2.onClick = [this] { SpeedButton2Click(); };

  int slot = 0;
  for (ToggleOption& option : toggleOptions()) {
    addOption({.control = option.control,
               .caption = option.caption,
               .help = option.help,
               .slot = slot++,
               .row = std::move(option.row),
               .byDefault = option.byDefault});
  }

  addOption({.control = "CheckBox62",
             .caption = "Background for Explorer Toolbar ",
             .help = "Use this option to change Windows Explorer toolbar background.",
             .slot = slot++,
             .row = settings::PendingRowDefinition{
                 .at = registryValue(kHkeyCurrentUser, "Software\\Microsoft\\Internet Explorer\\Toolbar", ""),
                 .fields = {{"BackBitmapShell", &pending_.toolbarBitmap, text("")}},
             },
             .editor = std::bind_front(&WindowsPage::CheckBox62MouseDown, this)});

  ui::CheckBox& thumbnail = addOption({.control = "CheckBox63",
                                       .caption = "Display Bitmap Icon as Thumbnail",
                                       .help = "Use this option to show all bitmap file icons as thumbnails.",
                                       .slot = slot++,
                                       .byDefault = false});
  addRow("CheckBox63", std::make_unique<ThumbnailRow>(thumbnail, pending_.bitmapIcon));
}

void WindowsPage::CheckBox62MouseDown(bool wasChecked) {
  // Unchecking leaves the editor hidden and the pending file as it is.
  if (wasChecked) return;
  Label49.caption = "Explorer toolbar background file";
  Edit6.setText(pending_.toolbarBitmap.value);
  form_.showGroup("Page3");
}

void WindowsPage::Edit6Change() { pending_.toolbarBitmap.value = Edit6.text(); }

void WindowsPage::SpeedButton2Click() {
  std::optional<std::string> chosen = window_.platform().openPicture(pending_.toolbarBitmap.value);
  if (!chosen) return;  // cancelled: the field and the pending file stay as they were
  pending_.toolbarBitmap.value = *chosen;
  Edit6.setText(*chosen);
}

}  // namespace varnex::pages
