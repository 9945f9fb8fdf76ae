#include "pages/help_window.h"

namespace varnex::pages {

namespace {

// Each text as the memo holds it: every line, the empty ones and the trailing spaces included,
// ends with a line break.
const char kDiskCacheText[] =
    "How to Configure Disk-Cache ?\n"
    "\n"
    "By selecting one of the pre-defined system\n"
    "profiles (such as Multimedia, Power User, Gaming \n"
    "system, etc) Varnex 2000 will optimize your \n"
    "Windows' file caching and that will increase your \n"
    "Windows performance. You may optionally select \n"
    "\"User-Defined\" from the dropdown list and \n"
    "manually set the following parameters: \n"
    "\n"
    "1. Minimum Cache Size\n"
    "\n"
    "You can try to increase or decrease the minimum \n"
    "cache size (depand on installed memory you \n"
    "have). Generally, you can set the minimum cache \n"
    "size up to 12,5% of total memory installed.\n"
    "\n"
    "2. Maximum Cache Size \n"
    "\n"
    "You can try to increase or decrease the maximum \n"
    "cache size (depand on installed memory you \n"
    "have). Generally, you can set the maximum cache \n"
    "size up to 25% of total memory installed.\n"
    "\n"
    "3. Chunk Size\n"
    "\n"
    "If you frequantly use multimedia application which \n"
    "require large amounts of memory, you can try to \n"
    "set it to 1024 kb, else try 512 kb or less.\n"
    "\n"
    "\n";
const char kFileCacheText[] =
    "How to Configure File Cache ?\n"
    "\n"
    "- If you have a lot of memory (more then 32 MB), \n"
    "  changing the typical role to network server will \n"
    "  improve your hardisk performance. You can try \n"
    "  to set it higher then server setting if you have \n"
    "  more then 64 MB memory installed on your \n"
    "  system.\n"
    "  \n"
    "- If you have little memory installed, try to use \n"
    "  mobile computer setting that will decrease \n"
    "  memory usage.\n"
    " \n"
    "\n"
    "From Author\n"
    "  \n"
    "- File Cache will increase your hardisk \n"
    "  performance, especially if you frequantly use \n"
    "  your computer for a long times. \n"
    "- With Varnex 2000 you can set the file cache \n"
    "  setting higher then server setting.\n"
    "\n"
    " \n";
const char kInternetText[] =
    "Internet Optimizer Settings\n"
    "\n"
    "1. IPMTU (Internet Protocol MTU) \n"
    "\n"
    "Use this option to change IPMTU setting for \n"
    "Windows 98 user. You can set  the IPMTU to a \n"
    "value that give the best out of your connection. \n"
    "Suggestion: The value should be 576 for \n"
    "connections under 128 kbs or 1500 for LAN \n"
    "conection.\n"
    "\n"
    "2.  RWIN (Receive Window)\n"
    "\n"
    "RWIN determines how much data that your \n"
    "computer will be prepared to recieve. You can \n"
    "make experiment to find the best setting for your \n"
    "system.\n"
    "\n"
    "3. TTL (Time to Alive)\n"
    "\n"
    "Time To Live value determines how long the \n"
    "computer should wait before deciding that the \n"
    "destination web site does not exist. \n"
    "Suggestion: Try 128. \n";

}  // namespace

const char* helpText(HelpText text) {
  switch (text) {
    case HelpText::DiskCache: return kDiskCacheText;
    case HelpText::FileCache: return kFileCacheText;
    case HelpText::Internet: return kInternetText;
  }
  return "";
}

HelpWindow::HelpWindow(app::MainWindow& main)
    : main_(main),
      Memo1(addText("Memo1", HelpText::DiskCache)),
      Memo2(addText("Memo2", HelpText::FileCache)),
      Memo3(addText("Memo3", HelpText::Internet)),
      Button1(form_.add<ui::Button>("Button1", nullptr, {192, 216, 75, 25}, "Close")) {
  Button1.handCursor = true;
  Button1.onClick = [this] { Button1Click(); };
}

ui::Memo& HelpWindow::addText(const char* name, HelpText text) {
  auto& memo = form_.add<ui::Memo>(name, nullptr, {8, 8, 257, 201});
  memo.readOnly = true;
  memo.verticalScrollBar = true;
  memo.bordered = true;
  memo.infoColours = true;
  memo.setText(helpText(text));
  return memo;
}

void HelpWindow::open(HelpText text) {
  for (const char* group : {"Page1", "Page2", "Page3", "Page4"}) main_.HidePage(group);
  main_.enabled = false;
  // The shown text first, then the hidden ones in memo order.
  ui::Memo* shown = text == HelpText::DiskCache ? &Memo1 : text == HelpText::FileCache ? &Memo2 : &Memo3;
  shown->visible = true;
  for (ui::Memo* memo : {&Memo1, &Memo2, &Memo3})
    if (memo != shown) memo->visible = false;
  shown_ = true;
}

void HelpWindow::Button1Click() {
  main_.enabled = true;
  shown_ = false;
}

}  // namespace varnex::pages
