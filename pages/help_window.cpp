#include "pages/help_window.h"

namespace varnex::pages {

HelpWindow::HelpWindow(app::MainWindow& main)
    : main_(main),
      Memo1(form_.add<ui::Memo>("Memo1", nullptr, {8, 8, 257, 201})),
      Memo2(form_.add<ui::Memo>("Memo2", nullptr, {8, 8, 257, 201})),
      Memo3(form_.add<ui::Memo>("Memo3", nullptr, {8, 8, 257, 201})),
      Button1(form_.add<ui::Button>("Button1", nullptr, {192, 216, 75, 25}, "Close")) {
  Button1.onClick = [this] { Button1Click(); };
}

void HelpWindow::open(HelpText text) {
  for (const char* group : {"Page1", "Page2", "Page3", "Page4"}) main_.HidePage(group);
  main_.enabled = false;
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
