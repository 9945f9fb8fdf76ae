#include "pages/profile_options.h"

#include <cstdint>

#include "pages/catalogue.h"

namespace varnex::pages {

namespace {

using namespace profile;

// "Option - field": a value of an editor or a frame, named by what holds it and its own label.
std::string within(std::string_view owner, std::string_view field) {
  return nameOf(owner) + " - " + nameOf(field);
}

// The position of the slider editor whose value is the pending one, nothing between positions.
std::optional<int> positionOf(const SystemPage::Slider& slider, std::int64_t pending) {
  for (std::size_t i = 0; i < slider.values.size(); ++i)
    if (slider.values[i] == pending) return static_cast<int>(i);
  return std::nullopt;
}

// What each position of a System slider editor is called in a profile: what its label shows.
std::vector<std::string> sliderTexts(const SystemPage::Slider& slider) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < slider.values.size(); ++i) {
    switch (slider.kind) {
      case SystemPage::Slider::IconCache:
        texts.push_back(std::to_string(slider.values[i]));
        break;
      case SystemPage::Slider::CdCache:
        texts.push_back(std::to_string(std::int64_t{slider.values[i]} * 2) + " kB");
        break;
      case SystemPage::Slider::CdSpeed: {
        const std::string label = slider.labels[i];
        texts.push_back(label.substr(label.rfind(' ') + 1));  // "CD-ROM Speed : 16x" -> "16x"
        break;
      }
    }
  }
  return texts;
}

// The Disk-Cache sliders stand for their position times a unit of kilobytes.
std::vector<std::string> multiples(const ui::TrackBar& slider, int unit) {
  std::vector<std::string> texts;
  for (int position = slider.minimum(); position <= slider.maximum(); ++position)
    texts.push_back(std::to_string(position * unit));
  return texts;
}

ProfileOption valueOf(ProfileOption option, const std::string& opener) {
  option.opener = opener;
  return option;
}

}  // namespace

std::vector<ProfileOption> profileOptions(app::MainWindow& window, Catalogue& catalogue) {
  ui::Form& form = window.form();
  auto caption = [&form](const char* control) { return form.get<ui::Control>(control).caption; };
  const SystemPending& system = catalogue.system.pending();
  const WindowsPending& windows = catalogue.windows.pending();
  InternetValues& internet = catalogue.internet;
  std::vector<ProfileOption> options;
  auto add = [&options](ProfileOption option) { options.push_back(std::move(option)); };

  // Boot: the delay is written while the boot menu is on.
  const char* boot = "TabSheet1";
  for (const char* control : {"CheckBox1", "CheckBox2"}) add(box(form, boot, control));
  add(valueOf(number(form, boot, "SpinEdit1", within(caption("CheckBox2"), caption("Label1"))),
              nameOf(caption("CheckBox2"))));
  for (const char* control : {"CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6", "CheckBox7", "CheckBox8",
                              "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14"})
    add(box(form, boot, control));

  // System: the action options, each followed by what its editor writes while it is on.
  const char* sys = "TabSheet2";
  auto action = [&](const char* control, std::vector<ProfileOption> values) {
    add(box(form, sys, control));
    for (ProfileOption& value : values) add(valueOf(std::move(value), nameOf(caption(control))));
  };
  auto editorText = [&](const char* control, const char* opener, const char* field, const settings::PendingText& p) {
    return text(form, sys, control, within(caption(opener), field), [&p] { return p.value; });
  };
  auto editorSlider = [&](const char* opener, const char* field, SystemPage::Slider::Kind kind,
                          std::function<std::int64_t()> pending) {
    const SystemPage::Slider& s = SystemPage::slider(kind);
    return slider(
        form, sys, "TrackBar1", within(caption(opener), field), sliderTexts(s),
        [&s, pending] { return positionOf(s, pending()); }, [pending] { return std::to_string(pending()); });
  };
  for (const char* control : {"CheckBox15", "CheckBox16", "CheckBox17", "CheckBox18", "CheckBox19", "CheckBox20"})
    add(box(form, sys, control));
  action("CheckBox21", {editorText("Edit1", "CheckBox21", "Location", system.setupPath)});
  action("CheckBox22", {editorText("Edit1", "CheckBox22", "Name", system.owner),
                        editorText("Edit2", "CheckBox22", "Organization", system.organization)});
  add(box(form, sys, "CheckBox23"));
  action("CheckBox24", {choice(form, sys, within(caption("CheckBox24"), "Icon Color Format"),
                               {{"RadioButton1", "16"}, {"RadioButton2", "24"}, {"RadioButton3", "32"}}, std::nullopt,
                               [&system] { return system.iconDepth.value; })});
  action("CheckBox25", {editorSlider("CheckBox25", "Icons", SystemPage::Slider::IconCache, [&system]() -> std::int64_t {
           return ui::integerOf(system.iconCache.value).value_or(-1);
         })});
  add(box(form, sys, "CheckBox26"));
  action("CheckBox27", {editorSlider("CheckBox27", "Size", SystemPage::Slider::CdCache,
                                     [&system] { return std::int64_t{system.cdCache.value}; })});
  action("CheckBox28", {editorSlider("CheckBox28", "Speed", SystemPage::Slider::CdSpeed,
                                     [&system] { return std::int64_t{system.cdPrefetch.value}; })});

  // Windows: the toolbar background is written while its option is on.
  const char* win = "TabSheet3";
  for (const char* control : {"CheckBox29", "CheckBox32", "CheckBox33", "CheckBox34", "CheckBox35", "CheckBox36",
                              "CheckBox37", "CheckBox38", "CheckBox39", "CheckBox40", "CheckBox41", "CheckBox42",
                              "CheckBox62"})
    add(box(form, win, control));
  add(valueOf(text(form, win, "Edit6", within(caption("CheckBox62"), "File"),
                   [&windows] { return windows.toolbarBitmap.value; }),
              nameOf(caption("CheckBox62"))));
  add(box(form, win, "CheckBox63"));

  // Start Menu: the delay is written while its option is on.
  const char* start = "TabSheet9";
  for (const char* control : {"CheckBox50", "CheckBox51", "CheckBox52", "CheckBox53", "CheckBox54", "CheckBox55",
                              "CheckBox56", "CheckBox57", "CheckBox58", "CheckBox60", "CheckBox59", "CheckBox30"})
    add(box(form, start, control));
  add(valueOf(number(form, start, "SpinEdit2", within(caption("CheckBox30"), caption("Label5"))),
              nameOf(caption("CheckBox30"))));
  for (const char* control : {"CheckBox31", "CheckBox61"}) add(box(form, start, control));

  // Internet #1: the MTU of each kind of connection, entered with its kind chosen in the list.
  const char* net1 = "TabSheet5";
  auto& connections = form.get<ui::ComboBox>("ComboBox2");
  const std::pair<const char*, settings::PendingText*> mtus[] = {{kPhoneLineConnection, &internet.dialUpMtu},
                                                                 {kLanConnection, &internet.lanMtu}};
  for (const auto& [connection, mtu] : mtus) {
    ProfileOption option = choice(form, net1, within(caption("GroupBox9"), connection),
                                  {{"RadioButton18", "0"}, {"RadioButton5", "576"}, {"RadioButton7", "1500"}},
                                  Custom{"RadioButton8", "Edit3"}, [mtu] { return mtu->value; });
    const std::string kind = connection;
    auto itemOf = [&connections, kind] {
      const auto& items = connections.items();
      return static_cast<int>(std::find(items.begin(), items.end(), kind) - items.begin());
    };
    option.unavailable = [&connections, itemOf, kind, enabled = option.unavailable]() -> std::optional<std::string> {
      if (itemOf() >= static_cast<int>(connections.items().size()))
        return "cannot be changed on this machine: it has no connection \"" + kind + "\"";
      return enabled();
    };
    option.prepare = [&connections, itemOf] { connections.choose(itemOf()); };
    add(std::move(option));
  }
  add(choice(form, net1, nameOf(caption("GroupBox10")),
             {{"RadioButton9", "2680"},
              {"RadioButton10", "5840"},
              {"RadioButton11", "8760"},
              {"RadioButton12", "10220"},
              {"RadioButton13", "8192"}},
             Custom{"RadioButton14", "Edit4"}, [&internet] { return internet.receiveWindow.value; }));
  add(choice(form, net1, nameOf(caption("GroupBox11")),
             {{"RadioButton15", "32"}, {"RadioButton16", "64"}, {"RadioButton17", "128"}},
             Custom{"RadioButton19", "Edit5"}, [&internet] { return internet.timeToLive.value; }));

  // Internet #2.
  const char* net2 = "TabSheet11";
  const std::tuple<const char*, const char*, const char*, settings::PendingText*> limits[] = {
      {"Edit7", "GroupBox24", "Label60", &internet.maxConnectMin},
      {"Edit8", "GroupBox24", "Label61", &internet.maxConnectMax},
      {"Edit10", "GroupBox25", "Label62", &internet.maxSocketsMin},
      {"Edit11", "GroupBox25", "Label63", &internet.maxSocketsMax}};
  for (const auto& [edit, frame, label, pending] : limits)
    add(text(form, net2, edit, within(caption(frame), caption(label)), [p = pending] { return p->value; }, true));
  add(choice(form, net2, nameOf(caption("GroupBox26")),
             {{"RadioButton4", "0"}, {"RadioButton6", "16"}, {"RadioButton22", "32"}, {"RadioButton23", "64"}},
             Custom{"RadioButton24", "Edit9"}, [&internet] { return internet.cacheSize.value; }));
  add(number(form, net2, "SpinEdit8", nameOf(caption("Label64")), [&internet] { return internet.keepAlive.value; }));
  for (const char* control : {"CheckBox43", "CheckBox44"}) add(box(form, net2, control));

  // File-Cache: the two sizes are written while the role is "User Defined".
  const char* fileCache = "TabSheet8";
  const std::string role = nameOf(caption("Label17"));
  add(list(form, fileCache, "ComboBox3", role));
  for (const auto& [spin, label] : {std::pair{"SpinEdit6", "Label29"}, std::pair{"SpinEdit7", "Label30"}}) {
    ProfileOption size = valueOf(number(form, fileCache, spin, nameOf(caption(label))), role);
    size.openerValue = form.get<ui::ComboBox>("ComboBox3").items().front();
    add(std::move(size));
  }

  // Disk-Cache: a named set of sizes, then the sizes themselves.
  const char* diskCache = "TabSheet4";
  add(list(form, diskCache, "ComboBox1", nameOf(caption("Label7"))));
  for (const auto& [control, label, unit] :
       {std::tuple{"TrackBar2", "Label8", 1024}, std::tuple{"TrackBar3", "Label9", 1024},
        std::tuple{"TrackBar4", "Label10", 32}}) {
    auto& size = form.get<ui::TrackBar>(control);
    add(slider(
        form, diskCache, control, nameOf(caption(label)), multiples(size, unit),
        [&size] { return std::optional<int>(size.position() - size.minimum()); },
        [&size, unit = unit] { return std::to_string(size.position() * unit); }));
  }

  // Varnex: the program's shortcuts.
  for (const char* control : {"CheckBox45", "CheckBox46", "CheckBox47"}) add(box(form, "TabSheet6", control));
  return options;
}

}  // namespace varnex::pages
