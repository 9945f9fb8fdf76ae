#include "pages/about_box.h"

#include <algorithm>

#include "pages/layout.h"

namespace varnex::pages {

namespace {

const ui::Font kSubtitleFont{"Arial", 21, true, true};
constexpr int kLabelHeight = 13;
constexpr int kTitleWidth = 240;  // the large faces, up to the icon
constexpr int kLeft = 16, kContentWidth = 282;  // the column of text, as wide as the rule under it

std::string kilobytes(std::uint32_t bytes) { return std::to_string(bytes >> 10) + " KB"; }

}  // namespace

std::string osInfoLine(const app::OsVersion& v) {
  const char* name = "Windows";
  std::uint32_t build = 0;
  if (v.platformId == 1) {
    name = v.minor > 0 ? "Windows 98" : "Windows 95";
    build = v.build & 0xFFFF;  // the high word repeats the version
  } else if (v.platformId == 2) {
    name = "Windows NT";
    build = v.build;
  }
  std::string line = std::string(name) + " " + std::to_string(v.major) + "." + std::to_string(v.minor);
  if (v.platformId != 1 && v.platformId != 2) return line;
  line += " (Build " + std::to_string(build);
  if (!v.servicePack.empty()) line += ": " + v.servicePack;
  return line + ")";
}

AboutBox::AboutBox(app::MainWindow& main)
    : main_(main),
      RxLabel1(label("RxLabel1", 16, 8, "Varnex 2000", kTitleWidth)),
      RxLabel2(label("RxLabel2", 16, 40, "for Windows 98", kTitleWidth)),
      Image1(label("Image1", 264, 10, "", 32)),
      Label2(label("Label2", 16, 80, "Version 4.2")),
      Label3(label("Label3", 16, 112, "Copyright (C) 2000 the Varnex 2000 authors")),
      GroupBox1(form_.add<ui::GroupBox>("GroupBox1", nullptr, {kLeft, 128, kContentWidth, 7})),
      OS(label("OS", kLeft, 144, "", kContentWidth)),
      Label4(label("Label4", 16, 160)),
      Label7(label("Label7", 16, 176)),
      Label8(label("Label8", 16, 192)),
      Label9(label("Label9", 16, 208)),
      Label10(label("Label10", 16, 224)),
      Label11(label("Label11", 240, 160, "", 70)),
      Label12(label("Label12", 240, 176, "", 70)),
      Label13(label("Label13", 240, 192, "", 70)),
      Label14(label("Label14", 240, 208, "", 70)),
      Label15(label("Label15", 240, 224, "", 70)),
      RxSpeedButton1(form_.add<ui::Button>("RxSpeedButton1", nullptr, {224, 256, 75, 25}, "OK")) {
  for (ui::Label* title : {&RxLabel1, &RxLabel2}) {
    title->captionColour = ui::kNavy;
    title->height = title == &RxLabel1 ? 28 : 25;
  }
  RxLabel1.font = kTitleFont;
  RxLabel2.font = kSubtitleFont;
  Image1.icon = kProgramIcon;
  Image1.height = 32;
  RxSpeedButton1.handCursor = true;
  RxSpeedButton1.onClick = [this] { RxSpeedButton1Click(); };
  main_.onTimer(kAboutTimer1, [this] { Timer1Timer(); });
}

ui::Label& AboutBox::label(const char* name, int left, int top, const char* caption, int width) {
  // Sized to the caption, but never past the window's right margin.
  if (!width) width = std::min(captionWidth(caption) + 40, kLeft + kContentWidth - left);
  return form_.add<ui::Label>(name, nullptr, {left, top, width, kLabelHeight}, caption);
}

void AboutBox::FormCreate() {
  GetOSInfo();
  const std::pair<ui::Label*, const char*> captions[] = {
      {&Label4, "Memory Load : "},   {&Label7, "Total physical Memory : "}, {&Label8, "Available physical Memory : "},
      {&Label9, "Total Page File : "}, {&Label10, "Available Page File : "},
  };
  for (const auto& [label, caption] : captions) {
    label->caption = caption;
    label->width = captionWidth(caption);
  }
  showMemory();
  main_.platform().setTimer(kAboutTimer1, kRefreshMs);
}

void AboutBox::GetOSInfo() { OS.caption = osInfoLine(main_.platform().osVersion()); }

void AboutBox::showMemory() {
  const app::MemoryStatus m = main_.platform().memoryStatus();
  Label11.caption = std::to_string(m.memoryLoad) + " %";
  Label12.caption = kilobytes(m.totalPhys);
  Label13.caption = kilobytes(m.availPhys);
  Label14.caption = kilobytes(m.totalPageFile);
  Label15.caption = kilobytes(m.availPageFile);
}

void AboutBox::FormClose() {
  main_.enabled = true;
  shown_ = false;
}

void AboutBox::open() {
  for (const char* group : {"Page1", "Page2", "Page3", "Page4"}) main_.HidePage(group);
  main_.enabled = false;
  shown_ = true;
}

}  // namespace varnex::pages
