// Every place the catalogue reads, holding the wrong form: a read pass and a write pass over
// it must not crash, and what the write pass writes must keep the forms the rows give, whatever
// was read. The places come from watching a read pass, so rows added later are in.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "pages/catalogue.h"
#include "settings/forwarding_apis.h"
#include "settings/memory/memory_machine.h"
#include "settings/registry_store.h"
#include "settings/rows.h"
#include "settings/stores.h"
#include "ui/buttons.h"
#include "tests/support/fake_platform.h"
#include "tests/support/sample_machine.h"

namespace varnex::pages {
namespace {

using settings::RegHandle;

struct RegPlace {
  RegHandle root;
  std::string key;  // lower case: the registry ignores case
  std::string name;
  auto operator<=>(const RegPlace&) const = default;
};
struct ProfilePlace {
  std::string file, section, entry;
  auto operator<=>(const ProfilePlace&) const = default;
};

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Passes every call on, noting which values are read and what is written where.
class WatchedRegistry : public settings::ForwardingRegistry {
 public:
  explicit WatchedRegistry(settings::RegistryApi& inner) : ForwardingRegistry(inner) {}
  std::set<RegPlace> reads;
  std::map<RegPlace, std::set<std::uint32_t>> writes;  // value types written

  long openKey(RegHandle base, const std::string& subKey, RegHandle& result) override {
    return note(base, subKey, result, inner_.openKey(base, subKey, result));
  }
  long createKey(RegHandle base, const std::string& subKey, RegHandle& result) override {
    return note(base, subKey, result, inner_.createKey(base, subKey, result));
  }
  long queryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    reads.insert(place(key, name));
    return inner_.queryValue(key, name, type, data, size);
  }
  long setValue(RegHandle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    writes[place(key, name)].insert(type);
    return inner_.setValue(key, name, type, data, size);
  }

 private:
  long note(RegHandle base, const std::string& subKey, RegHandle result, long error) {
    if (error == settings::kErrorSuccess) {
      auto [root, path] = where(base);
      std::string tail = lower(subKey);
      while (!tail.empty() && tail.front() == '\\') tail.erase(0, 1);
      keys_[result] = {root, path.empty() ? tail : tail.empty() ? path : path + "\\" + tail};
    }
    return error;
  }
  std::pair<RegHandle, std::string> where(RegHandle key) const {
    auto it = keys_.find(key);
    return it == keys_.end() ? std::pair<RegHandle, std::string>{key, ""} : it->second;
  }
  RegPlace place(RegHandle key, const std::string& name) const {
    auto [root, path] = where(key);
    return {root, path, lower(name)};
  }

  std::map<RegHandle, std::pair<RegHandle, std::string>> keys_;
};

class WatchedProfiles : public settings::ForwardingProfiles {
 public:
  explicit WatchedProfiles(settings::ProfileApi& inner) : ForwardingProfiles(inner) {}
  std::set<ProfilePlace> reads;
  std::map<ProfilePlace, std::vector<std::string>> writes;  // texts written; "<deleted>"

  std::uint32_t getString(const std::string& section, const std::string* entry, const std::string& defaultText,
                          char* buffer, std::uint32_t size, const std::string& file) override {
    if (entry) reads.insert({lower(file), lower(section), lower(*entry)});
    return inner_.getString(section, entry, defaultText, buffer, size, file);
  }
  bool writeString(const std::string& section, const std::string& entry, const std::string* value,
                   const std::string& file) override {
    writes[{lower(file), lower(section), lower(entry)}].push_back(value ? *value : "<deleted>");
    return inner_.writeString(section, entry, value, file);
  }
};

// The sample machine, so that both passes run to their end unless the spoiled place ends them.
struct WatchedMachine {
  WatchedMachine() { settings::loadSampleMachine(machine); }
  settings::MemoryMachine machine;
  testing::FakePlatform platform{machine.files};
  WatchedRegistry registry{machine.registry};
  WatchedProfiles profiles{machine.profiles};
  app::MainWindow window{platform, settings::StoreApis{registry, profiles, machine.files, machine.shell}};
  std::unique_ptr<Catalogue> catalogue = buildCatalogue(window);

  // The start (window creation runs the read pass), then Apply's write pass, with every box as
  // read or turned the other way first. Whether an error box ended a pass: that is allowed (the
  // error has been shown), a crash or an escaping exception is not.
  bool startThenApply(bool turnEveryBox = false) {
    window.FormCreate(settings::kSampleConfigRecords);
    if (turnEveryBox) turnBoxes();
    window.TulisData();
    return platform.count("messageBox") == 0;
  }
  void turnBoxes() {
    for (ui::Control* control : window.form().controls())
      if (auto* box = dynamic_cast<ui::CheckBox*>(control)) box->setChecked(!box->checked());
  }
};

struct RegForm {
  const char* what;
  std::uint32_t type;  // 0: a key of that name instead of a value; UINT32_MAX: the key is missing
  std::vector<std::uint8_t> data;
};

std::vector<RegForm> regForms() {
  std::vector<std::uint8_t> bigText(64 * 1024, '1');
  bigText.back() = 0;
  return {
      {"a DWORD", settings::kRegDword, {1, 0, 0, 0}},
      {"a text", settings::kRegSz, {'1', 0}},
      {"a 6-byte binary", settings::kRegBinary, {1, 0, 0, 0, 0, 0}},
      {"a 64 KB text", settings::kRegSz, bigText},
      {"a 64 KB binary", settings::kRegBinary, std::vector<std::uint8_t>(64 * 1024, 1)},
      {"an empty binary", settings::kRegBinary, {}},
      {"a key in place of the value", 0, {}},
      {"the key missing", UINT32_MAX, {}},
  };
}

void plant(settings::MemoryMachine& machine, const RegPlace& at, const RegForm& form) {
  if (form.type == UINT32_MAX) {
    settings::RegistryStore store(machine.registry);
    store.setRoot(at.root);
    store.deleteKey("\\" + at.key);
    return;
  }
  RegHandle key = 0;
  const std::string path = form.type == 0 ? at.key + "\\" + (at.name.empty() ? "x" : at.name) : at.key;
  ASSERT_EQ(machine.registry.createKey(at.root, path, key), settings::kErrorSuccess) << path;
  if (form.type != 0) {
    machine.registry.deleteValue(key, at.name);
    machine.registry.setValue(key, at.name, form.type, form.data.data(), static_cast<std::uint32_t>(form.data.size()));
  }
  machine.registry.closeKey(key);
}

std::string describe(const RegPlace& at) { return std::to_string(at.root) + "\\" + at.key + " [" + at.name + "]"; }

// What the sample machine reads, and writes with every box as read and then with
// every box the other way: the places to spoil, and what is written where to compare with.
const WatchedMachine& clean() {
  static WatchedMachine* m = [] {
    auto* made = new WatchedMachine;
    EXPECT_TRUE(made->startThenApply()) << ::testing::PrintToString(made->platform.calls("messageBox"));
    made->turnBoxes();
    EXPECT_TRUE(made->window.TulisData()) << "the write pass runs to its end with every box turned";
    return made;
  }();
  return *m;
}

// Whatever a value held, each place is written in one form only: the form a row writes never
// follows from what it read (a DWORD row never writes text, nor binary what it found).
TEST(WrongData, EveryRegistryValueReadHoldingTheWrongForm) {
  const WatchedMachine& base = clean();
  ASSERT_FALSE(base.registry.reads.empty());
  std::map<RegPlace, std::map<std::uint32_t, std::string>> formsWritten;  // form -> first case
  for (const auto& [place, types] : base.registry.writes)
    for (std::uint32_t type : types) formsWritten[place].emplace(type, "the sample machine");
  for (const RegPlace& at : base.registry.reads) {
    for (const RegForm& form : regForms()) {
      for (bool turned : {false, true}) {
        WatchedMachine m;
        plant(m.machine, at, form);
        m.startThenApply(turned);
        for (const auto& [place, types] : m.registry.writes)
          for (std::uint32_t type : types)
            formsWritten[place].emplace(type, describe(at) + " holding " + form.what + (turned ? ", boxes turned" : ""));
      }
    }
  }
  for (const auto& [place, forms] : formsWritten) {
    if (forms.size() == 1) continue;
    std::string cases;
    for (const auto& [type, when] : forms) cases += "\n  type " + std::to_string(type) + " when " + when;
    ADD_FAILURE() << describe(place) << " written in more than one form:" << cases;
  }
}

// A value of a form its row cannot read gives the row's default: the box shows what the
// default gives, a binary row's cell holds the default, and a box that such a read only checks
// stays as it was.
TEST(WrongData, EveryRegistryRowReadsItsDefaultFromAValueOfAnotherForm) {
  using settings::ValueKind;
  const std::vector<std::uint8_t> dword{1, 0, 0, 0}, text{'1', 0}, fiveBytes{1, 0, 0, 0, 0};
  const std::map<ValueKind, std::vector<RegForm>> unreadable = {
      {ValueKind::Text, {{"a DWORD", settings::kRegDword, dword}, {"a binary", settings::kRegBinary, dword}}},
      {ValueKind::Integer, {{"a text", settings::kRegSz, text}, {"a binary", settings::kRegBinary, dword}}},
      {ValueKind::Binary,
       {{"a text", settings::kRegSz, text}, {"a DWORD", settings::kRegDword, dword},
        {"a 5-byte binary", settings::kRegBinary, fiveBytes}}},
  };
  int rowsSeen = 0;
  WatchedMachine names;  // only for the list of rows
  for (const app::NamedRow& named : names.catalogue->rows()) {
    auto* row = dynamic_cast<settings::CheckRow*>(named.row);
    if (!row) continue;
    const settings::CheckRowDefinition& def = row->definition();
    auto forms = unreadable.find(def.kind);
    if (def.at.store != settings::StoreKind::Registry || def.read.unguarded || forms == unreadable.end()) continue;
    ++rowsSeen;
    const RegPlace at{def.at.root, def.at.key, def.at.name};
    for (const RegForm& form : forms->second) {
      for (bool before : {false, true}) {
        WatchedMachine m;
        plant(m.machine, at, form);
        auto* box = dynamic_cast<ui::CheckBox*>(m.window.form().find(def.control));
        ASSERT_NE(box, nullptr) << def.control;
        box->setChecked(before);
        settings::CheckRow* same = nullptr;
        for (const app::NamedRow& r : m.catalogue->rows()) {
          if (r.control == named.control) same = dynamic_cast<settings::CheckRow*>(r.row);
        }
        ASSERT_NE(same, nullptr);
        settings::Stores stores{m.machine.apis()};
        same->read(stores);
        const bool defaultChecks = same->checks(def.read.defaultValue);
        const bool expected = def.read.onlyChecks && !defaultChecks ? before : defaultChecks;
        EXPECT_EQ(box->checked(), expected) << def.control << " at " << describe(at) << " holding " << form.what
                                            << ", box " << (before ? "checked" : "unchecked") << " before";
        if (def.kind == ValueKind::Binary) {
          EXPECT_EQ(same->cell(), def.read.defaultValue) << def.control << " holding " << form.what;
        }
      }
    }
  }
  EXPECT_GT(rowsSeen, 0);
}

struct ProfileForm {
  const char* what;
  std::string line;  // the entry's line, "%" standing for its name
};

// Profile entries: whatever an entry held, the write pass writes only entries it also writes on
// the sample machine, and never a text with a line break (it would split the line).
TEST(WrongData, EveryProfileEntryReadHoldingTheWrongForm) {
  const WatchedMachine& base = clean();
  ASSERT_FALSE(base.profiles.reads.empty());
  const ProfileForm forms[] = {
      {"a text where a number is", "%=yes"},
      {"an empty value", "%="},
      {"a line break inside the value", "%=1\r0"},
      {"the name broken over two lines", "%\r\n=1"},
      {"a 64 KB value", "%=" + std::string(64 * 1024, '1')},
  };
  for (const ProfilePlace& at : base.profiles.reads) {
    for (const ProfileForm& form : forms) {
      WatchedMachine m;
      const std::string file = m.machine.profiles.resolve(at.file);
      std::string line = form.line;
      line.replace(line.find('%'), 1, at.entry);
      m.machine.files.putFile(file, "[" + at.section + "]\r\n" + line + "\r\n");
      m.startThenApply(true);
      for (const auto& [place, texts] : m.profiles.writes) {
        const std::string where = place.file + " [" + place.section + "] " + place.entry;
        EXPECT_TRUE(base.profiles.writes.count(place))
            << where << " written only when " << at.entry << " holds " << form.what;
        for (const std::string& text : texts)
          EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos)
              << where << " written with a line break when " << at.entry << " holds " << form.what;
      }
    }
  }
}

}  // namespace
}  // namespace varnex::pages
