// The row vocabulary and the two passes, over the memory stores.
#include <gtest/gtest.h>

#include <memory>

#include "settings/file_store.h"
#include "settings/memory/memory_machine.h"
#include "settings/pending_row.h"
#include "settings/rows.h"

namespace varnex::settings {
namespace {

struct Box : Toggle {
  bool on = false;
  bool checked() const override { return on; }
  void setChecked(bool c) override { on = c; }
};

// "Disable Boot Function Keys": on text "0", off text "1" written only where the entry exists.
CheckRowDefinition bootKeys() {
  CheckRowDefinition s;
  s.control = "CheckBox1";
  s.at = msdosSys("BootKeys");
  s.read.defaultValue = std::string("1");
  s.read.checkedWhen = std::string("0");
  s.whenChecked = {WriteAction::write(std::string("0"))};
  s.whenUnchecked = {WriteAction::writeIfPresent(std::string("1"))};
  return s;
}

CheckRowDefinition registryText(const std::string& name, bool ignoreCase) {
  CheckRowDefinition s;
  s.control = "CheckBox20";
  s.at = registryValue(kHkeyCurrentUser, "Software\\Test", name);
  s.read.defaultValue = std::string("NO");
  s.read.checkedWhen = std::string(ignoreCase ? "YES" : "yes");
  s.read.ignoreCase = ignoreCase;
  s.whenChecked = {WriteAction::write(std::string("yes"))};
  s.whenUnchecked = {WriteAction::deleteValue()};
  return s;
}

CheckRowDefinition registryBinary(bool ifPresent) {
  CheckRowDefinition s;
  s.control = "CheckBox30";
  s.at = registryValue(kHkeyCurrentUser, "Software\\Test", "Flags");
  s.kind = ValueKind::Binary;
  s.read.defaultValue = std::uint32_t{0};
  s.read.checkedWhen = std::uint32_t{1};
  s.read.ifPresent = ifPresent;
  s.whenChecked = {WriteAction::write(std::uint32_t{1})};
  s.whenUnchecked = {WriteAction::writeIfPresent(std::uint32_t{0})};
  return s;
}

class Rows : public ::testing::Test {
 protected:
  MemoryMachine machine;
  Stores stores{machine.apis()};

  std::string msdos() { return machine.files.readFile(kMsdosSys).value_or("<none>"); }
  void loadMsdos(const std::string& text) { machine.loadIni(kMsdosSys, text, "MSDOS.SYS"); }
  void loadReg(const std::string& body) { machine.loadRegedit4("REGEDIT4\n\n" + body, "test.reg"); }
  std::string readText(const std::string& key, const std::string& name) {
    RegistryStore r(machine.registry);
    r.setRoot(kHkeyCurrentUser);
    if (!r.openKey(key, false) || !r.valueExists(name)) return "<absent>";
    return r.readText(name);
  }
  std::optional<std::string> read(Row& row) {
    Row* rows[] = {&row};
    return runReadPass(rows, stores);
  }
  std::optional<std::string> write(Row& row) {
    Row* rows[] = {&row};
    return runWritePass(rows, stores);
  }
};

TEST_F(Rows, ProfileToggleRowReadsAndWritesByItsTexts) {
  struct Case {
    const char* file;     // MSDOS.SYS before
    bool checkedAfterRead;
    bool userChecks;      // the state the user leaves
    const char* entryAfterWrite;
  };
  const Case cases[] = {
      {"[Options]\r\nBootKeys=0\r\n", true, true, "0"},
      {"[Options]\r\nBootKeys=1\r\n", false, false, "1"},
      {"[Options]\r\n", false, false, nullptr},        // never adds the off text
      {"[Options]\r\n", false, true, "0"},             // ticking adds the on text
      {"[Options]\r\nBootKeys=yes\r\n", false, false, "1"},  // any other text is rewritten
      {"[Options]\r\nbootkeys=0\r\n", true, false, "1"},     // names ignore case, values do not
      {"[Options]\r\nBootKeys=\r\n", false, false, "1"},     // empty is not the default
  };
  for (const Case& c : cases) {
    loadMsdos(c.file);
    Box box;
    CheckRow row(bootKeys(), box);
    EXPECT_FALSE(read(row));
    EXPECT_EQ(box.on, c.checkedAfterRead) << c.file;
    box.on = c.userChecks;
    EXPECT_FALSE(write(row));
    ProfileStore p(machine.profiles, kMsdosSys);
    if (c.entryAfterWrite)
      EXPECT_EQ(p.readText("Options", "BootKeys", "<absent>"), c.entryAfterWrite) << c.file;
    else
      EXPECT_FALSE(p.entryExists("Options", "BootKeys")) << c.file;
  }
}

TEST_F(Rows, TextRowsCompareExactlyOrIgnoringCase) {
  struct Case {
    const char* reg;
    bool ignoreCase;
    bool checked;
  };
  const Case cases[] = {
      {"\"Opt\"=\"yes\"", false, true},
      {"\"Opt\"=\"Yes\"", false, false},
      {"\"Opt\"=\"Yes\"", true, true},
      {"\"Opt\"=dword:00000001", true, false},  // unreadable: the default, which does not match
      {"", true, false},                        // absent reads as empty text
  };
  for (const Case& c : cases) {
    loadReg("[-HKEY_CURRENT_USER\\Software\\Test]\n[HKEY_CURRENT_USER\\Software\\Test]\n" +
            std::string(c.reg) + "\n");
    Box box;
    box.on = !c.checked;
    CheckRow row(registryText("Opt", c.ignoreCase), box);
    EXPECT_FALSE(read(row));
    EXPECT_EQ(box.on, c.checked) << c.reg << (c.ignoreCase ? " ignoring case" : "");
  }
}

TEST_F(Rows, BinaryRowsKeepTheirCell) {
  loadReg("[HKEY_CURRENT_USER\\Software\\Test]\n\"Flags\"=hex:01,00,00,00\n");
  Box box;
  CheckRow plain(registryBinary(false), box);
  EXPECT_FALSE(read(plain));
  EXPECT_TRUE(box.on);
  EXPECT_EQ(std::get<std::uint32_t>(plain.cell()), 1u);

  // Absent on the next pass: a read without presence test keeps the cell (and the box).
  loadReg("[HKEY_CURRENT_USER\\Software\\Test]\n\"Flags\"=-\n");
  EXPECT_FALSE(read(plain));
  EXPECT_TRUE(box.on);
  // The same row read "if present" takes its default instead.
  CheckRow present(registryBinary(true), box);
  present.setCell(std::uint32_t{1});
  EXPECT_FALSE(read(present));
  EXPECT_FALSE(box.on);
  EXPECT_EQ(std::get<std::uint32_t>(present.cell()), 0u);

  // Two bytes replace only the low bytes; an unreadable value stores the default in the cell.
  loadReg("[HKEY_CURRENT_USER\\Software\\Test]\n\"Flags\"=hex:01,00\n");
  plain.setCell(std::uint32_t{0x00010000});
  EXPECT_FALSE(read(plain));
  EXPECT_EQ(std::get<std::uint32_t>(plain.cell()), 0x00010001u);
  EXPECT_FALSE(box.on);
  loadReg("[HKEY_CURRENT_USER\\Software\\Test]\n\"Flags\"=dword:00000001\n");
  EXPECT_FALSE(read(plain));
  EXPECT_EQ(std::get<std::uint32_t>(plain.cell()), 0u);

  // Writing sets the cell to what was written.
  box.on = true;
  EXPECT_FALSE(write(plain));
  EXPECT_EQ(std::get<std::uint32_t>(plain.cell()), 1u);
}

TEST_F(Rows, AnUnguardedReadEndsTheReadPassAndLaterRowsKeepTheirState) {
  loadReg("[HKEY_CURRENT_USER\\Software\\Test]\n\"Guarded\"=dword:1\n\"Adapter\"=dword:2\n\"Later\"=\"yes\"\n");
  Box first, broken, later;
  later.on = false;
  CheckRowDefinition unguarded = registryText("Adapter", false);
  unguarded.read.unguarded = true;
  CheckRow a(registryText("Guarded", false), first), b(unguarded, broken), c(registryText("Later", false), later);
  Row* rows[] = {&a, &b, &c};
  EXPECT_EQ(runReadPass(rows, stores), "Invalid data type for 'Adapter'");
  EXPECT_FALSE(later.on) << "the row after the failing one is not read";
}

TEST_F(Rows, TheFirstFailingWriteEndsTheWritePass) {
  loadMsdos("[Options]\r\nBootKeys=1\r\n");
  Box bootBox, machineBox, lastBox;
  bootBox.on = true;
  machineBox.on = true;
  lastBox.on = true;
  CheckRowDefinition machineRow = registryText("Opt", false);
  machineRow.at.root = kHkeyLocalMachine;
  machineRow.at.key = "Software\\Refused";
  machine.registry.refuseWrites(kHkeyLocalMachine);
  CheckRow a(bootKeys(), bootBox), b(machineRow, machineBox), c(registryText("Last", false), lastBox);
  Row* rows[] = {&a, &b, &c};
  EXPECT_EQ(runWritePass(rows, stores), "Failed to set data for 'Opt'");
  EXPECT_EQ(ProfileStore(machine.profiles, kMsdosSys).readText("Options", "BootKeys", ""), "0");
  EXPECT_EQ(readText("Software\\Test", "Last"), "<absent>");
}

TEST_F(Rows, AProfileFileThatRefusesWritesNamesTheFile) {
  machine.loadIni(kMsdosSys, "[Options]\r\nBootKeys=1\r\n", "MSDOS.SYS", kAttrReadOnly | kAttrHidden | kAttrSystem);
  Box box;
  box.on = true;
  CheckRow row(bootKeys(), box);
  EXPECT_EQ(write(row), "Unable to write to C:\\MSDOS.SYS");
}

TEST_F(Rows, SeveralActionsRunInOrderBelowTheKeyOpenedBefore) {
  loadReg("[HKEY_CURRENT_USER\\Software\\Test\\Old\\Deep]\n\"X\"=\"1\"\n");
  CheckRowDefinition s = registryText("Opt", false);
  WriteAction inSubKey = WriteAction::write(std::string("yes"));
  inSubKey.openSubKey = "NotePad";
  s.whenChecked = {WriteAction::deleteKey("Old"), inSubKey};
  Box box;
  box.on = true;
  CheckRow row(s, box);
  EXPECT_FALSE(write(row));
  RegistryStore r(machine.registry);
  EXPECT_FALSE(r.keyExists("\\Software\\Test\\Old"));
  EXPECT_EQ(readText("Software\\Test\\NotePad", "Opt"), "yes");
  EXPECT_EQ(machine.registry.openHandles(), 0u) << "every row closes what it opened";
}

TEST_F(Rows, PresenceRowsReadWhetherSomethingExists) {
  loadReg("[HKEY_CURRENT_USER\\Software\\Test\\Policy]\n\"NoRun\"=dword:1\n");
  machine.files.putFolder("C:\\WINDOWS\\Start Menu\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}");
  struct Case {
    const char* what;
    Location at;
    ValueKind kind;
    bool checked;
  };
  const Case cases[] = {
      {"key present", registryValue(kHkeyCurrentUser, "Software\\Test\\Policy", ""), ValueKind::KeyPresence, true},
      {"key absent", registryValue(kHkeyCurrentUser, "Software\\Test\\None", ""), ValueKind::KeyPresence, false},
      {"value present", registryValue(kHkeyCurrentUser, "Software\\Test\\Policy", "norun"), ValueKind::ValuePresence, true},
      {"value absent", registryValue(kHkeyCurrentUser, "Software\\Test\\Policy", "NoFind"), ValueKind::ValuePresence, false},
      {"folder", Location{StoreKind::Folder, "", 0, "", "C:\\WINDOWS\\Start Menu\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}"}, ValueKind::ValuePresence, true},
      {"folder is no file", Location{StoreKind::File, "", 0, "", "C:\\WINDOWS\\Start Menu\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}"}, ValueKind::ValuePresence, false},
  };
  for (const Case& c : cases) {
    CheckRowDefinition s;
    s.control = c.what;
    s.at = c.at;
    s.kind = c.kind;
    s.read.defaultValue = std::uint32_t{0};
    s.read.checkedWhen = std::uint32_t{1};
    Box box;
    box.on = !c.checked;
    CheckRow row(s, box);
    EXPECT_FALSE(read(row));
    EXPECT_EQ(box.on, c.checked) << c.what;
  }
}

// A folder row of the start menu: made when checked, removed when unchecked (only when empty),
// and the read pass only ever checks the box.
TEST_F(Rows, FolderRowsMakeAndRemoveTheirFolderAndTheReadOnlyChecks) {
  const std::string tail = "\\Start Menu\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
  const std::string folder = stores.windowsDirectory() + tail;
  CheckRowDefinition s;
  s.control = "CheckBox58";
  s.at = folderBelowWindows(tail);
  s.kind = ValueKind::ValuePresence;
  s.read.defaultValue = std::uint32_t{0};
  s.read.checkedWhen = std::uint32_t{1};
  s.read.onlyChecks = true;
  s.whenChecked = {WriteAction::makeFolders()};
  s.whenUnchecked = {WriteAction::removeFolder()};
  Box box;
  CheckRow row(s, box);

  box.on = true;
  EXPECT_FALSE(write(row));
  EXPECT_TRUE(FileStore(machine.files, machine.shell).folderExists(folder)) << "made with its parents";
  box.on = false;
  EXPECT_FALSE(write(row));
  EXPECT_FALSE(FileStore(machine.files, machine.shell).folderExists(folder));
  box.on = true;
  EXPECT_FALSE(read(row));
  EXPECT_TRUE(box.on) << "an absent folder leaves the box as it was";

  machine.files.putFolder(folder);
  machine.files.putFile(folder + "\\note.txt", "x");
  box.on = false;
  EXPECT_FALSE(write(row));
  EXPECT_FALSE(read(row));
  EXPECT_TRUE(box.on) << "a folder that could not be removed reads checked again";
}

TEST_F(Rows, ARowWithNothingToWriteOpensNoKey) {
  CheckRowDefinition s;
  s.control = "CheckBox31";
  s.at = registryValue(kHkeyCurrentUser, "Software\\Test\\MenuOrder", "");
  s.whenChecked = {WriteAction::deleteKey("Start Menu")};
  s.whenUnchecked = {WriteAction::nothing()};
  Box box;
  CheckRow row(s, box);
  EXPECT_FALSE(write(row));
  EXPECT_EQ(readText("Software\\Test\\MenuOrder", ""), "<absent>");
  RegistryStore r(machine.registry);
  r.setRoot(kHkeyCurrentUser);
  EXPECT_FALSE(r.keyExists("Software\\Test\\MenuOrder")) << "no key was created for nothing";
}

// A pending row loads every read pass (with the fallback for what cannot be read) and writes
// only while its condition holds; while it does not, no key is opened or created.
TEST_F(Rows, PendingRowsLoadWithFallbacksAndWriteOnlyWhenAsked) {
  loadReg("[HKEY_CURRENT_USER\\Software\\Test]\n\"Owner\"=\"Ann\"\n\"Size\"=\"not a number\"\n");
  PendingText owner, organization;
  PendingNumber size;
  bool writes = false;
  int loads = 0;
  PendingRow row({.at = registryValue(kHkeyCurrentUser, "Software\\Test", ""),
                  .fields = {{"Owner", &owner, std::string()},
                             {"Organization", &organization, std::string("none")},
                             {"Size", &size, std::uint32_t{620}}},
                  .writes = [&] { return writes; },
                  .loaded = [&] { ++loads; }});
  EXPECT_FALSE(read(row));
  EXPECT_EQ(owner.value, "Ann");
  EXPECT_EQ(owner.asLoaded, "Ann");
  EXPECT_EQ(organization.value, "") << "an absent text reads as empty, not as the fallback";
  EXPECT_EQ(size.value, 620) << "a text where a number is read gives the fallback";
  EXPECT_EQ(loads, 1);

  owner.value = "Bob";
  EXPECT_FALSE(write(row));
  EXPECT_EQ(readText("Software\\Test", "Owner"), "Ann") << "not written while not asked";
  writes = true;
  EXPECT_FALSE(write(row));
  EXPECT_EQ(readText("Software\\Test", "Owner"), "Bob");
  owner.reset();
  EXPECT_EQ(owner.value, "Ann");

  PendingRow elsewhere({.at = registryValue(kHkeyCurrentUser, "Software\\Elsewhere", ""),
                        .fields = {{"Owner", &owner, std::string()}},
                        .writes = [] { return false; }});
  EXPECT_FALSE(write(elsewhere));
  RegistryStore r(machine.registry);
  r.setRoot(kHkeyCurrentUser);
  EXPECT_FALSE(r.keyExists("Software\\Elsewhere"));
}

// CreateShellLink is false only when the shell-link object or its IPersistFile is missing; a
// save that fails still reports true.
TEST(CreateShellLink, FailsOnlyWithoutTheObjectOrItsPersistFile) {
  struct Case {
    const char* what;
    bool refuseCreate;
    bool offerPersistFile;
    const char* shortcut;
    bool result;
    bool saved;
  };
  const Case cases[] = {
      {"saved", false, true, "C:\\WINDOWS\\Desktop\\Varnex 2000.lnk", true, true},
      {"no shell-link object", true, true, "C:\\WINDOWS\\Desktop\\Varnex 2000.lnk", false, false},
      {"no IPersistFile", false, false, "C:\\WINDOWS\\Desktop\\Varnex 2000.lnk", false, false},
      {"a save that fails", false, true, "C:\\NO SUCH FOLDER\\Varnex 2000.lnk", true, false},
  };
  for (const Case& c : cases) {
    MemoryMachine machine;
    machine.files.putFolder("C:\\WINDOWS\\Desktop");
    machine.shell.refuseCreate = c.refuseCreate;
    machine.shell.offerPersistFile = c.offerPersistFile;
    FileStore files(machine.files, machine.shell);
    EXPECT_EQ(files.CreateShellLink("C:\\VARNEX\\Varnex.exe", c.shortcut, "C:\\VARNEX"), c.result) << c.what;
    EXPECT_EQ(files.fileExists(c.shortcut), c.saved) << c.what;
  }
}

}  // namespace
}  // namespace varnex::settings
