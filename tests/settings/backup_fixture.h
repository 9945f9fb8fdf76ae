#pragma once
// A small machine with a journal in front of its stores, for the backup's and the undo's tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/backup/backups.h"
#include "settings/memory/memory_backup_platform.h"
#include "settings/memory/memory_machine.h"
#include "settings/stores.h"

namespace varnex::settings {

inline const std::string kProgram = "C:\\VARNEX";

inline const char* const kRegistry = R"(REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"MenuShowDelay"="400"
@="unnamed"
"Mask"=hex:90,12,01,80
"Count"=dword:0000001f
"CamelCase"="x"

[HKEY_CLASSES_ROOT\Directory\shell\DOS]
@="Command Prompt"
[HKEY_CLASSES_ROOT\Directory\shell\DOS\command]
@="command.com /k cd %1"
"Flags"=hex(0):01,02,03
[HKEY_CLASSES_ROOT\Directory\shell\DOS\command\deeper]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP]
"DefaultTTL"="64"
"Retry"="3"
)";

inline const char* const kMsdos = "[Paths]\r\nWinDir=C:\\WINDOWS\r\n[Options]\r\nBootKeys=1\r\nLogo=0\r\n";
inline const char* const kSystemIniText = "[386Enh]\r\nPageBuffers=8\r\n[vcache]\r\nMinFileCache=512\r\n";

struct BackupFixture : ::testing::Test {
  BackupFixture() {
    machine.loadRegedit4(kRegistry, "fixture.reg");
    machine.loadIni(kMsdosSys, kMsdos, "MSDOS.SYS");
    machine.loadIni(kSystemIni, kSystemIniText, "SYSTEM.INI");
    machine.files.putFolder(kProgram);
  }

  MemoryMachine machine;
  MemoryBackupPlatform platform{machine.files};
  Backups backups{machine.apis(), platform};
  Stores stores{backups.apis()};

  RegistryStore key(RegHandle root, const std::string& path) {
    RegistryStore store = stores.registry();
    store.setRoot(root);
    EXPECT_TRUE(store.openKey(path, true)) << path;
    return store;
  }
  std::string backupFile(const BackupResult& result, const std::string& name) {
    return machine.files.readFile(result.folder + "\\" + name).value_or("<missing " + name + ">");
  }
  // What a user does with a backup: double-click the .reg file and copy the profile files back.
  void undo(const BackupResult& result) {
    if (auto reg = machine.files.readFile(result.folder + "\\" + kRestoreFile)) machine.loadRegedit4(*reg, kRestoreFile);
    for (const ProfileCopy& copy : copies)
      machine.files.putFile(copy.path, backupFile(result, copy.path.substr(copy.path.find_last_of('\\') + 1)));
  }
  std::vector<ProfileCopy> copies;

  // Begins a pass and changes values (of every type, one of them twice) in it, deletes a tree and
  // makes it again, makes keys, and changes, adds and deletes profile entries; the test ends it.
  void changeMany() {
    backups.begin(kProgram);
    {
      RegistryStore desktop = key(kHkeyCurrentUser, "Control Panel\\Desktop");
      desktop.writeText("MenuShowDelay", "0");
      desktop.writeText("MenuShowDelay", "100");  // the first state before the pass is what comes back
      desktop.writeText("", "unnamed");           // equal: no change
      desktop.writeInteger("Mask", 5);            // another type
      desktop.writeBinary("Count", 0x20000170);
      desktop.deleteValue("camelcase");           // comes back with the case it had
      desktop.writeText("New", "added");
      desktop.deleteValue("NeverThere");
    }
    {
      RegistryStore shell = key(kHkeyClassesRoot, "Directory\\shell");
      shell.deleteKey("DOS");  // a subtree of three levels with values
      ASSERT_TRUE(shell.openKey("DOS", true));
      shell.writeText("", "something else");  // a deleted key made again, with other content
    }
    {
      RegistryStore fresh = key(kHkeyLocalMachine, "Software\\Brand\\New\\Deep");
      fresh.writeText("Inside", "1");
      ASSERT_TRUE(fresh.openKey("Below", true));
      fresh.writeInteger("Also", 2);
      fresh.deleteKey("\\Software\\Brand\\New\\Deep\\Below");  // made and removed in one pass
    }
    {
      RegistryStore tcp = key(kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\VxD\\MSTCP");
      tcp.writeText("DefaultTTL", "32");
      tcp.deleteValue("Retry");
      tcp.writeText("Retry", "5");  // deleted, then written again
    }
    ProfileStore msdos = stores.profile(kMsdosSys);
    msdos.writeText("Options", "BootKeys", "0");
    msdos.writeText("Options", "Logo", "0");  // equal
    msdos.writeText("Options", "BootMenu", "1");
    msdos.deleteEntry("Options", "Logo");
    ProfileStore system = stores.profile(kSystemIni);
    system.deleteEntry("vcache", "MinFileCache");
    system.writeText("vcache", "MaxFileCache", "0");
    system.deleteEntry("vcache", "CHUNKSIZE");  // missing: no change
  }
};

}  // namespace varnex::settings
