// The two Internet pages over an in-memory registry: the adapter scan, the presets, the custom
// fields, and what the write pass writes to the adapter entries, MSTCP and NWLink.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "app/config_dat.h"
#include "tests/pages/page_fixture.h"
#include "tests/support/sample_machine.h"

namespace varnex::pages {
namespace {

using settings::kHkeyLocalMachine;

const std::string kNet = "System\\CurrentControlSet\\Services\\Class\\Net\\";
const std::string kTcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const std::string kParams = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\";
const char* const kPhone = "Using a phone line and a modem";
const char* const kLan = "Using a local area network (LAN)";

// REGEDIT4 text of adapter entry Net\000<index> with a description (null: none) and an IPMTU
// (null: none).
std::string adapter(int index, const char* description, const char* mtu = nullptr) {
  std::string text = "[HKEY_LOCAL_MACHINE\\" + kNet + "000" + std::to_string(index) + "]\n";
  if (description) text += "\"DriverDesc\"=\"" + std::string(description) + "\"\n";
  if (mtu) text += "\"IPMTU\"=\"" + std::string(mtu) + "\"\n";
  return text;
}
std::string mstcp(const std::string& values) { return "[HKEY_LOCAL_MACHINE\\" + kTcp + "]\n" + values; }

struct Internet : PageHarness {
  // The machine as given, then window creation as varnex.exe runs it.
  explicit Internet(const std::string& registry = "") {
    machine.files.putFile(app::configPath(platform.currentDirectory()), std::string(20, '\0'));
    if (!registry.empty()) loadReg(registry);
    window.FormCreate(app::Records{});
    platform.clearCalls();
  }
  ui::RadioButton& radio(const std::string& name) { return control<ui::RadioButton>(name); }
  ui::Edit& edit(const std::string& name) { return control<ui::Edit>(name); }
  ui::ComboBox& list() { return control<ui::ComboBox>("ComboBox2"); }
  InternetValues& values() { return catalogue->internet; }
  // The user's gestures, made on the tab the control lives on.
  ui::Control& reach(const std::string& name) {
    ui::Control& c = window.form().get<ui::Control>(name);
    for (ui::Control* p = c.parent(); p; p = p->parent())
      if (p->kind() == ui::Kind::TabSheet) showPage(p->name());
    return c;
  }
  void click(const std::string& name) {
    ui::Control& c = reach(name);
    if (auto* button = dynamic_cast<ui::Button*>(&c)) button->click();
    if (auto* radio = dynamic_cast<ui::RadioButton*>(&c)) radio->click();
  }
  void type(const std::string& field, const std::string& text) {
    reach(field);
    edit(field).type(text);
  }
  void choose(int item) {
    reach("ComboBox2");
    list().choose(item);
  }
  std::string ipmtu(int index) { return stored(kHkeyLocalMachine, kNet + "000" + std::to_string(index), "IPMTU"); }
  std::string tcp(const std::string& name) { return stored(kHkeyLocalMachine, kTcp, name); }
  std::string param(const std::string& key, const std::string& name) {
    return stored(kHkeyLocalMachine, kParams + key, name);
  }
  // The checked radio buttons of the MTU, receive window and time to live frames, in that order.
  std::vector<std::string> checkedRadios() {
    std::vector<std::string> names;
    for (const char* frame : {"GroupBox9", "GroupBox10", "GroupBox11"})
      for (ui::Control* c : window.form().childrenOf(&window.form().get<ui::GroupBox>(frame)))
        if (c->kind() == ui::Kind::RadioButton && static_cast<ui::RadioButton*>(c)->checked()) names.push_back(c->name());
    return names;
  }
};

TEST(InternetScan, TheAdaptersFoundDecideTheListTheMtusAndTheFrames) {
  struct Case {
    const char* name;
    std::string registry;
    std::vector<std::string> items;
    bool dialUp, lan;
    const char* dialUpMtu;
    const char* lanMtu;
    std::vector<std::string> checked;  // after window creation
    const char* edit3;
  };
  const Case cases[] = {
      {"no adapter", "", {"No Internet connection available", "none", ""}, false, false, "", "",
       {"RadioButton14", "RadioButton19"}, ""},
      {"dial-up only", adapter(0, "Dial-Up Adapter", "576"), {kPhone, "none", ""}, true, false, "576", "",
       {"RadioButton5", "RadioButton14", "RadioButton19"}, ""},
      {"LAN only, custom MTU, in a later entry", adapter(3, "NE2000 Compatible", "1400"), {kLan, "none", ""},
       false, true, "", "1400", {"RadioButton8", "RadioButton14", "RadioButton19"}, "1400"},
      {"a LAN adapter without a description", adapter(0, nullptr), {kLan, "none", ""}, false, true, "", "",
       {"RadioButton8", "RadioButton14", "RadioButton19"}, ""},
      {"both, dial-up first", adapter(0, "Dial-Up Adapter", "576") + adapter(1, "NE2000", "1500"),
       {kPhone, kLan, ""}, true, true, "576", "1500", {"RadioButton5", "RadioButton14", "RadioButton19"}, ""},
      {"both, LAN first", adapter(0, "NE2000", "1500") + adapter(1, "Dial-Up Adapter", "0"), {kPhone, kLan, ""},
       true, true, "0", "1500", {"RadioButton18", "RadioButton14", "RadioButton19"}, ""},
      // Exact comparison: another case is another kind; the last entry of a kind wins.
      {"two LAN adapters, one spelt like dial-up",
       adapter(0, "dial-up adapter", "1500") + adapter(2, "NE2000", "1492"), {kLan, "none", ""}, false, true, "",
       "1492", {"RadioButton8", "RadioButton14", "RadioButton19"}, "1492"},
      // The scan stops at Net\0006; an IPMTU that is not text reads "0".
      {"an entry past 0006, an MTU of another type",
       adapter(7, "Dial-Up Adapter", "576") + "[HKEY_LOCAL_MACHINE\\" + kNet + "0001]\n\"DriverDesc\"=\"NE2000\"\n"
                                              "\"IPMTU\"=dword:00000578\n",
       {kLan, "none", ""}, false, true, "", "0", {"RadioButton18", "RadioButton14", "RadioButton19"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Internet t(c.registry);
    EXPECT_EQ(t.list().items(), c.items);
    EXPECT_EQ(t.list().itemIndex(), 0);
    EXPECT_EQ(t.values().dialUpFound, c.dialUp);
    EXPECT_EQ(t.values().lanFound, c.lan);
    EXPECT_EQ(t.values().anyFound, c.dialUp || c.lan);
    EXPECT_EQ(t.values().dialUpMtu.value, c.dialUpMtu);
    EXPECT_EQ(t.values().lanMtu.value, c.lanMtu);
    EXPECT_EQ(t.checkedRadios(), c.checked);
    EXPECT_EQ(t.edit("Edit3").text(), c.edit3);
    // Without an adapter every editor of both pages is disabled; the cache field always starts so.
    const bool usable = c.dialUp || c.lan;
    for (const char* name : {"ComboBox2", "RadioButton18", "Edit4", "RxSpeedButton8", "RxSpeedButton9", "Edit7",
                             "CheckBox43", "SpinEdit8", "RadioButton24", "RxSpeedButton6", "RxSpeedButton7"})
      EXPECT_EQ(t.window.form().get<ui::Control>(name).enabled, usable) << name;
    EXPECT_FALSE(t.edit("Edit9").enabled);
    EXPECT_TRUE(t.control<ui::Button>("RxSpeedButton10").enabled) << "Help stays available";
  }
}

// The description is read without a guard: one of another type ends the read pass there.
TEST(InternetScan, ADescriptionOfAnotherTypeEndsTheReadPass) {
  Internet t(adapter(0, "Dial-Up Adapter", "576"));
  t.loadReg("[HKEY_LOCAL_MACHINE\\" + kNet + "0001]\n\"DriverDesc\"=dword:00000001\n" +
            mstcp("\"DefaultTTL\"=\"64\"\n"));
  EXPECT_FALSE(t.window.BacaData());
  EXPECT_THAT(t.platform.calls("messageBox"),
              ::testing::ElementsAre(::testing::StartsWith("messageBox(Invalid data type for 'DriverDesc', ")));
  EXPECT_EQ(t.values().timeToLive.value, "") << "the rows after the scan were not read";
}

TEST(InternetPresets, EachConnectionKindGetsItsOwnValues) {
  struct Case {
    const char* name;
    std::string registry;
    int item;  // chosen in the list before the preset
    const char* button;
    const char *dialUpMtu, *lanMtu, *window, *ttl;
    std::vector<std::string> checked;  // Internet #1
    const char *ipmtu0, *ipmtu1;       // written to Net\0000 and Net\0001
  };
  const std::string both = adapter(0, "Dial-Up Adapter", "1400") + adapter(1, "NE2000", "1400");
  const std::string dialUp = adapter(0, "Dial-Up Adapter", "1400");
  const std::string lan = adapter(1, "NE2000", "1400");
  const Case cases[] = {
      {"dial-up only, automatic", dialUp, 0, "RxSpeedButton9", "576", "", "2680", "128",
       {"RadioButton5", "RadioButton9", "RadioButton17"}, "sz:576", "<absent>"},
      {"LAN only, automatic", lan, 0, "RxSpeedButton9", "", "1500", "8760", "128",
       {"RadioButton7", "RadioButton11", "RadioButton17"}, "<absent>", "sz:1500"},
      {"both, dial-up chosen, automatic", both, 0, "RxSpeedButton9", "576", "1500", "5840", "128",
       {"RadioButton5", "RadioButton10", "RadioButton17"}, "sz:576", "sz:1500"},
      {"both, LAN chosen, automatic", both, 1, "RxSpeedButton9", "576", "1500", "5840", "128",
       {"RadioButton7", "RadioButton10", "RadioButton17"}, "sz:576", "sz:1500"},
      {"both, windows default", both, 1, "RxSpeedButton8", "0", "0", "8192", "32",
       {"RadioButton18", "RadioButton13", "RadioButton15"}, "sz:0", "sz:0"},
      {"dial-up only, windows default", dialUp, 0, "RxSpeedButton8", "0", "0", "8192", "32",
       {"RadioButton18", "RadioButton13", "RadioButton15"}, "sz:0", "<absent>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Internet t(c.registry + mstcp("\"DefaultTTL\"=\"32\"\n"));
    t.choose(c.item);
    t.click(c.button);
    EXPECT_EQ(t.values().dialUpMtu.value, c.dialUpMtu);
    EXPECT_EQ(t.values().lanMtu.value, c.lanMtu);
    EXPECT_EQ(t.values().receiveWindow.value, c.window);
    EXPECT_EQ(t.values().timeToLive.value, c.ttl);
    EXPECT_EQ(t.checkedRadios(), c.checked);
    EXPECT_FALSE(t.edit("Edit3").enabled);
    t.write();
    EXPECT_EQ(t.ipmtu(0), c.ipmtu0);
    EXPECT_EQ(t.ipmtu(1), c.ipmtu1);
    EXPECT_EQ(t.tcp("DefaultRcvWindow"), std::string("sz:") + c.window);
    EXPECT_EQ(t.tcp("DefaultTTL"), std::string("sz:") + c.ttl);
  }
}

TEST(InternetPresets, WithoutAnAdapterNothingHappensAndOnlyTheCacheSizeIsWritten) {
  Internet t(mstcp("\"DefaultTTL\"=\"64\"\n"));
  for (const char* b : {"RxSpeedButton8", "RxSpeedButton9", "RxSpeedButton6", "RxSpeedButton7"}) t.click(b);
  t.catalogue->internet1.RxSpeedButton9Click();  // even reached from code it sets nothing
  EXPECT_EQ(t.values().timeToLive.value, "64");
  t.values().receiveWindow.value = t.values().maxConnectMax.value = "99";
  t.write();
  EXPECT_EQ(t.tcp("DefaultRcvWindow"), "<absent>");
  EXPECT_EQ(t.tcp("DefaultTTL"), "sz:64");
  EXPECT_EQ(t.tcp("SessionKeepAlive"), "<absent>");
  EXPECT_FALSE(t.keyExists(kHkeyLocalMachine, kParams + "maxconnect"));
  EXPECT_FALSE(t.keyExists(kHkeyLocalMachine, kParams + "maxsockets"));
  EXPECT_EQ(t.param("cachesize", ""), "sz:0");
}

// Letters are refused with the last accepted value put back; clearing the field empties it.
TEST(InternetEdits, TheCustomFieldsShareOneRule) {
  struct Case {
    const char* field;
    const char* custom;  // the radio button that opens it
    settings::PendingText InternetValues::*pending;
  };
  const Case cases[] = {
      {"Edit3", "RadioButton8", &InternetValues::lanMtu},
      {"Edit4", "RadioButton14", &InternetValues::receiveWindow},
      {"Edit5", "RadioButton19", &InternetValues::timeToLive},
      {"Edit7", nullptr, &InternetValues::maxConnectMin},
      {"Edit8", nullptr, &InternetValues::maxConnectMax},
      {"Edit10", nullptr, &InternetValues::maxSocketsMin},
      {"Edit11", nullptr, &InternetValues::maxSocketsMax},
      {"Edit9", "RadioButton24", &InternetValues::cacheSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    Internet t(adapter(0, "NE2000", "1500"));
    if (c.custom) t.click(c.custom);
    t.reach(c.field);
    ui::Edit& field = t.edit(c.field);
    settings::PendingText& pending = t.values().*c.pending;
    ASSERT_TRUE(field.enabled);
    field.type("1400");
    EXPECT_EQ(pending.value, "1400");
    field.caret = 2;
    field.type("14x00");
    EXPECT_EQ(field.text(), "1400");
    EXPECT_EQ(field.caret, 5);
    EXPECT_EQ(pending.value, "1400");
    field.type("-12");
    EXPECT_EQ(pending.value, "-12") << "any integer is accepted";
    field.type("");
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(pending.value, "");
    if (c.custom && c.custom != std::string("RadioButton24")) {
      EXPECT_EQ(field.maxLength, 5u) << "Internet #1's fields hold at most 5 characters";
    }
  }
}

TEST(InternetMtu, TheListChoosesWhichMtuTheFrameShowsAndEdits) {
  Internet t(adapter(0, "Dial-Up Adapter", "576") + adapter(1, "NE2000", "1400") + mstcp(""));
  EXPECT_TRUE(t.radio("RadioButton5").checked());
  t.choose(1);
  EXPECT_TRUE(t.radio("RadioButton8").checked());
  EXPECT_EQ(t.edit("Edit3").text(), "1400");
  t.type("Edit3", "1492");
  t.choose(0);
  EXPECT_TRUE(t.radio("RadioButton5").checked());
  t.click("RadioButton7");
  t.choose(2);  // the empty item selects no MTU
  t.click("RadioButton18");
  EXPECT_EQ(t.values().dialUpMtu.value, "1500");
  EXPECT_EQ(t.values().lanMtu.value, "1492");
  t.write();
  EXPECT_EQ(t.ipmtu(0), "sz:1500");
  EXPECT_EQ(t.ipmtu(1), "sz:1492");
}

// With one kind only, the frame always edits that kind's MTU, whichever item is chosen.
TEST(InternetMtu, WithDialUpOnlyTheFrameEditsTheDialUpMtu) {
  Internet t(adapter(0, "Dial-Up Adapter", "576"));
  t.choose(1);  // "none": shows the (empty) LAN MTU, which becomes the dial-up MTU
  EXPECT_TRUE(t.radio("RadioButton8").checked());
  EXPECT_EQ(t.values().dialUpMtu.value, "");
  t.click("RadioButton7");
  EXPECT_EQ(t.values().dialUpMtu.value, "1500");
  EXPECT_EQ(t.values().lanMtu.value, "");
}

TEST(InternetWrite, TheWalkGoesPastTheSixthEntryWhileEntriesFollow) {
  struct Case {
    const char* name;
    std::vector<int> entries;
    std::vector<int> written;
  };
  const Case cases[] = {
      {"0 to 7", {0, 1, 2, 3, 4, 5, 6, 7}, {0, 1, 2, 3, 4, 5, 6, 7}},
      {"0 to 8", {0, 1, 2, 3, 4, 5, 6, 7, 8}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"a gap at 2", {0, 1, 3, 5, 6, 7}, {0, 1, 3, 5, 6, 7}},
      {"6 missing", {0, 1, 2, 3, 4, 5, 7}, {0, 1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string registry;
    for (int i : c.entries) registry += adapter(i, i == 1 ? "Dial-Up Adapter" : "NE2000");
    Internet t(registry + mstcp(""));
    t.click("RxSpeedButton9");
    t.write();
    for (int i = 0; i <= 9; ++i) {
      const bool written = std::count(c.written.begin(), c.written.end(), i) > 0;
      EXPECT_EQ(t.ipmtu(i), written ? (i == 1 ? "sz:576" : "sz:1500") : "<absent>") << "entry " << i;
    }
  }
}

TEST(InternetWrite, StackValuesAreWrittenWhereTheyExistOrHaveAValue) {
  Internet t(adapter(0, "NE2000", "1500") + mstcp("\"DefaultTTL\"=\"\"\n"));
  // Absent: "Custom" with an empty field, and nothing written; present but empty: written back.
  EXPECT_TRUE(t.radio("RadioButton14").checked());
  EXPECT_EQ(t.edit("Edit4").text(), "");
  t.write();
  EXPECT_EQ(t.tcp("DefaultRcvWindow"), "<absent>");
  EXPECT_EQ(t.tcp("DefaultTTL"), "sz:");
  EXPECT_EQ(t.ipmtu(0), "sz:1500");
  t.click("RadioButton12");
  t.write();
  EXPECT_EQ(t.tcp("DefaultRcvWindow"), "sz:10220");
}

// Without the stack's key nothing creates it: the values written there fail the write pass.
TEST(InternetWrite, AMissingStackKeyIsNotCreatedAndAValueForItFailsTheWrite) {
  struct Case {
    const char* name;
    const char* radio;  // pressed before the write, or null
    const char* failing;
  };
  const Case cases[] = {
      {"the keep-alive time, always written", nullptr, "SessionKeepAlive"},
      {"a time to live chosen", "RadioButton16", "DefaultTTL"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Internet t(adapter(0, "NE2000", "1500"));
    if (c.radio) t.click(c.radio);
    EXPECT_FALSE(t.window.TulisData());
    EXPECT_THAT(t.platform.calls("messageBox"),
                ::testing::ElementsAre(::testing::StartsWith("messageBox(Failed to set data for '" +
                                                             std::string(c.failing) + "', ")));
    EXPECT_FALSE(t.keyExists(kHkeyLocalMachine, kTcp));
    EXPECT_EQ(t.ipmtu(0), "sz:1500") << "the rows before it were written";
    EXPECT_EQ(t.param("cachesize", ""), "<absent>") << "the rows after it were not";
  }
}

TEST(InternetSecond, ReadingFallsBackAndWritesBackWhatItRead) {
  struct Case {
    const char* name;
    std::string values;  // of MSTCP
    std::string params;  // below NWLink\Ndi\params
    bool discovery, blackHole;
    const char* spin;
    const char *keepAlive, *discoveryWritten, *blackHoleWritten;
    const char* checkedCache;
    bool edit9;
    const char* cacheWritten;
  };
  const std::string sample =
      "[HKEY_LOCAL_MACHINE\\" + kParams + "maxconnect]\n\"min\"=\"1\"\n\"max\"=\"64\"\n" +
      "[HKEY_LOCAL_MACHINE\\" + kParams + "maxsockets]\n\"min\"=\"2\"\n\"max\"=\"255\"\n";
  const Case cases[] = {
      {"all absent", "", sample, false, false, "3600", "sz:", "<absent>", "<absent>", "RadioButton4", false, "sz:0"},
      {"keep-alive below the range", "\"SessionKeepAlive\"=\"30\"\n\"PMTUDiscovery\"=\"0\"\n", sample, true, false,
       "60", "sz:60", "sz:0", "<absent>", "RadioButton4", false, "sz:0"},
      {"keep-alive above the range", "\"SessionKeepAlive\"=\"7200\"\n\"PMTUBlackHoleDetect\"=\"0\"\n", sample,
       false, false, "3600", "sz:7200", "<absent>", "sz:0", "RadioButton4", false, "sz:0"},
      {"values of another type",
       "\"SessionKeepAlive\"=dword:00000258\n\"PMTUDiscovery\"=dword:0\n\"PMTUBlackHoleDetect\"=dword:0\n",
       "[HKEY_LOCAL_MACHINE\\" + kParams + "cachesize]\n@=dword:00000010\n", false, true, "3600", "sz:3600",
       "sz:1", "sz:1", "RadioButton4", false, "sz:0"},
      {"a custom cache size", "\"SessionKeepAlive\"=\"abc\"\n",
       "[HKEY_LOCAL_MACHINE\\" + kParams + "cachesize]\n@=\"24\"\n", false, false, "3600", "sz:abc",
       "<absent>", "<absent>", "RadioButton24", true, "sz:24"},
      {"a cache size that is no number", "", "[HKEY_LOCAL_MACHINE\\" + kParams + "cachesize]\n@=\"big\"\n", false,
       false, "3600", "sz:", "<absent>", "<absent>", "RadioButton4", false, "sz:0"},
      {"a known cache size", "", "[HKEY_LOCAL_MACHINE\\" + kParams + "cachesize]\n@=\"64\"\n", false, false,
       "3600", "sz:", "<absent>", "<absent>", "RadioButton23", false, "sz:64"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Internet t(adapter(0, "NE2000", "1500") + mstcp(c.values) + c.params);
    EXPECT_EQ(t.box("CheckBox43").checked(), c.discovery);
    EXPECT_EQ(t.box("CheckBox44").checked(), c.blackHole);
    EXPECT_EQ(t.control<ui::SpinEdit>("SpinEdit8").text(), c.spin);
    EXPECT_TRUE(t.radio(c.checkedCache).checked());
    EXPECT_EQ(t.edit("Edit9").enabled, c.edit9);
    if (c.edit9) {
      EXPECT_EQ(t.edit("Edit9").text(), "24");
    }
    t.write();
    EXPECT_EQ(t.tcp("SessionKeepAlive"), c.keepAlive);
    EXPECT_EQ(t.tcp("PMTUDiscovery"), c.discoveryWritten);
    EXPECT_EQ(t.tcp("PMTUBlackHoleDetect"), c.blackHoleWritten);
    EXPECT_EQ(t.param("cachesize", ""), c.cacheWritten);
  }
}

TEST(InternetSecond, LimitsFallBackAndAreAlwaysWrittenOnceAnAdapterIsFound) {
  Internet t(adapter(0, "NE2000") + mstcp("") + "[HKEY_LOCAL_MACHINE\\" + kParams +
             "maxconnect]\n\"min\"=dword:00000005\n\"max\"=\"100\"\n");
  EXPECT_EQ(t.edit("Edit7").text(), "1");
  EXPECT_EQ(t.edit("Edit8").text(), "100");
  EXPECT_EQ(t.edit("Edit10").text(), "");
  EXPECT_EQ(t.edit("Edit11").text(), "");
  t.write();
  EXPECT_EQ(t.param("maxconnect", "min"), "sz:1");
  EXPECT_EQ(t.param("maxconnect", "max"), "sz:100");
  EXPECT_EQ(t.param("maxsockets", "min"), "sz:") << "created, with the empty value read";
  EXPECT_EQ(t.param("maxsockets", "max"), "sz:");
}

TEST(InternetSecond, PresetsSetEveryValueAndApplyWritesThem) {
  Internet t(adapter(0, "NE2000") +
             mstcp("\"PMTUDiscovery\"=\"0\"\n\"PMTUBlackHoleDetect\"=\"1\"\n\"SessionKeepAlive\"=\"100\"\n") +
             "[HKEY_LOCAL_MACHINE\\" + kParams + "cachesize]\n@=\"24\"\n");
  ASSERT_TRUE(t.box("CheckBox43").checked());
  t.click("RxSpeedButton7");
  EXPECT_FALSE(t.box("CheckBox43").checked());
  EXPECT_FALSE(t.box("CheckBox44").checked());
  EXPECT_TRUE(t.radio("RadioButton6").checked());
  EXPECT_FALSE(t.edit("Edit9").enabled);
  EXPECT_EQ(t.control<ui::SpinEdit>("SpinEdit8").text(), "600");
  EXPECT_EQ(t.edit("Edit11").text(), "1020");
  EXPECT_EQ(t.box("CheckBox43").captionColour, ui::kBlack) << "a preset marks nothing";
  t.window.Button5Click();
  EXPECT_EQ(t.param("maxconnect", "max"), "sz:128");
  EXPECT_EQ(t.param("maxconnect", "min"), "sz:2");
  EXPECT_EQ(t.param("maxsockets", "max"), "sz:1020");
  EXPECT_EQ(t.param("maxsockets", "min"), "sz:32");
  EXPECT_EQ(t.param("cachesize", ""), "sz:16");
  EXPECT_EQ(t.tcp("SessionKeepAlive"), "sz:600");
  EXPECT_EQ(t.tcp("PMTUDiscovery"), "sz:1");
  EXPECT_EQ(t.tcp("PMTUBlackHoleDetect"), "sz:0");

  t.click("RxSpeedButton6");
  t.window.Button5Click();
  EXPECT_EQ(t.param("maxconnect", "max"), "sz:64");
  EXPECT_EQ(t.param("maxconnect", "min"), "sz:1");
  EXPECT_EQ(t.param("maxsockets", "max"), "sz:255");
  EXPECT_EQ(t.param("maxsockets", "min"), "sz:2");
  EXPECT_EQ(t.param("cachesize", ""), "sz:0");
  EXPECT_EQ(t.tcp("SessionKeepAlive"), "sz:3600");
  EXPECT_TRUE(t.radio("RadioButton4").checked());
}

TEST(InternetSecond, OnlyTheTwoSwitchesAreMarkedAndTheFramesExplainThemselves) {
  Internet t(adapter(0, "NE2000"));
  t.showPage("TabSheet11");
  t.press("CheckBox43");
  EXPECT_EQ(t.box("CheckBox43").captionColour, ui::kNavy);
  ui::Memo& pane = t.control<ui::Memo>("Memo8");
  const std::pair<const char*, const char*> helps[] = {
      {"GroupBox24", "Use this option to increase you Internet connection performance. Suggestion: Try 2 and 128"},
      {"GroupBox25", "Use this option to increase you Internet connection performance. Suggestion: Try 32 and 1020"},
      {"GroupBox26", "Use this option to increase the NDI cache size. Suggestion: Try 16."},
      {"Label65", "Use this option to keep your download session from timing out. Suggestion: Try 600."},
      {"CheckBox44", "Use this option to enable TCP to try to detect Black Hole routers."},
  };
  for (const auto& [name, text] : helps) {
    t.window.form().get<ui::Control>(name).mouseMove();
    EXPECT_EQ(pane.text(), text) << name;
    EXPECT_TRUE(pane.enabled);
  }
  t.control<ui::GroupBox>("GroupBox27").mouseMove();
  EXPECT_EQ(pane.text(), "");
  EXPECT_FALSE(pane.enabled);
  t.window.Button5Click();
  EXPECT_EQ(t.box("CheckBox43").captionColour, ui::kBlack);
}

TEST(InternetFirst, HelpOpensTheInternetTextAndTheMtuFrameClearsThePane) {
  Internet t(adapter(0, "NE2000"));
  t.showPage("TabSheet5");
  ui::Memo& pane = t.control<ui::Memo>("Memo4");
  pane.enabled = true;
  t.control<ui::GroupBox>("GroupBox9").mouseMove();
  EXPECT_FALSE(pane.enabled);
  // Another page's text was the last one shown.
  t.click("RxSpeedButton12");
  t.catalogue->help.defaultButton().click();
  t.click("RxSpeedButton10");
  EXPECT_TRUE(t.catalogue->help.shown());
  EXPECT_FALSE(t.window.enabled);
  std::vector<std::string> visible;
  for (const char* memo : {"Memo1", "Memo2", "Memo3"}) {
    const ui::Memo& text = t.catalogue->help.form().get<ui::Memo>(memo);
    if (text.visible) visible.push_back(text.text());
  }
  EXPECT_EQ(visible, std::vector<std::string>{fixtureText("help/internet.txt")});
}

// "Back to Windows Default" puts both pages' defaults in place; only "Apply" writes them.
TEST(InternetDefaults, RestoringSetsTheDefaultsThatApplyWrites) {
  Internet t(adapter(0, "Dial-Up Adapter", "576") + adapter(1, "NE2000", "1500") +
             mstcp("\"SessionKeepAlive\"=\"600\"\n\"PMTUDiscovery\"=\"0\"\n"));
  t.click("RadioButton11");
  t.catalogue->internet1.restoreDefaults();
  t.catalogue->internet2.restoreDefaults();
  EXPECT_EQ(t.tcp("SessionKeepAlive"), "sz:600");
  EXPECT_FALSE(t.box("CheckBox43").checked());
  EXPECT_TRUE(t.radio("RadioButton13").checked());
  t.window.Button5Click();
  EXPECT_EQ(t.ipmtu(0), "sz:0");
  EXPECT_EQ(t.ipmtu(1), "sz:0");
  EXPECT_EQ(t.tcp("DefaultRcvWindow"), "sz:8192");
  EXPECT_EQ(t.tcp("DefaultTTL"), "sz:32");
  EXPECT_EQ(t.tcp("PMTUDiscovery"), "sz:1");
  EXPECT_EQ(t.tcp("SessionKeepAlive"), "sz:3600");
  EXPECT_EQ(t.param("maxconnect", "max"), "sz:64");
  EXPECT_EQ(t.param("maxsockets", "min"), "sz:2");
  EXPECT_EQ(t.param("cachesize", ""), "sz:0");
}

}  // namespace
}  // namespace varnex::pages

namespace varnex::pages {
namespace {

// The sample machine: a dial-up adapter, a network card and a VPN adapter (counted as LAN).
TEST(InternetSample, WindowCreationShowsBothConnectionsAndTheDialUpMtu) {
  PageHarness t;
  settings::loadSampleMachine(t.machine);
  t.window.FormCreate(app::Records{});
  const auto& list = t.control<ui::ComboBox>("ComboBox2");
  EXPECT_EQ(list.items(), (std::vector<std::string>{kPhone, kLan, ""}));
  EXPECT_EQ(list.itemIndex(), 0);
  EXPECT_EQ(t.catalogue->internet.lanMtu.value, "1500") << "the VPN adapter has no MTU of its own";
  for (const char* radio : {"RadioButton5", "RadioButton14", "RadioButton15", "RadioButton4"})
    EXPECT_TRUE(t.control<ui::RadioButton>(radio).checked()) << radio;
  EXPECT_EQ(t.control<ui::SpinEdit>("SpinEdit8").text(), "3600");
  EXPECT_EQ(t.control<ui::Edit>("Edit10").text(), "2");
}

}  // namespace
}  // namespace varnex::pages
