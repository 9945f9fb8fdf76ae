#pragma once
// The stores' platform operations with a journal in front: before each call that changes
// something, the state it is about to change is read and announced to the journal, which has it
// on disk before the call goes on (only while a pass records, and only real changes). Every call
// still reaches the backend in the same order; the one it may answer differently is creating a
// key that exists, which it does by opening the key.
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "settings/backup/backup_platform.h"
#include "settings/backup/change_journal.h"
#include "settings/forwarding_apis.h"
#include "settings/platform_api.h"

namespace varnex::settings {

class RecordingRegistry : public ForwardingRegistry {
 public:
  RecordingRegistry(RegistryApi& inner, ChangeJournal& journal) : ForwardingRegistry(inner), journal_(journal) {}

  long openKey(RegHandle base, const std::string& subKey, RegHandle& result) override;
  long createKey(RegHandle base, const std::string& subKey, RegHandle& result) override;
  long closeKey(RegHandle key) override;
  long setValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;
  long deleteValue(RegHandle key, const std::string& name) override;
  long deleteKey(RegHandle key, const std::string& subKey) override;

 private:
  struct Place {
    RegHandle root = 0;
    std::string path;  // below the root
  };
  std::optional<Place> placeOf(RegHandle key) const;
  std::optional<RegValue> valueOf(RegHandle key, const std::string& name);
  std::string storedName(RegHandle key, const std::string& name);
  // The highest key of subKey that is missing, asked of a subKey known to be missing.
  std::string topmostMissing(RegHandle base, const std::string& subKey);
  bool snapshot(RegHandle base, const std::string& subKey, const std::string& path, KeySnapshot& out);

  ChangeJournal& journal_;
  std::map<RegHandle, Place> places_;  // the open keys, by handle
  // Keys seen to exist in this pass (root and upper-case path): many rows open the same key, and
  // only the first needs the probe that tells whether a create makes it.
  std::set<std::pair<RegHandle, std::string>> existing_;
  unsigned existingPass_ = 0;
  bool knownToExist(RegHandle root, const std::string& path);
  void nowExists(RegHandle root, const std::string& path);
};

class RecordingProfiles : public ForwardingProfiles {
 public:
  RecordingProfiles(ProfileApi& inner, ChangeJournal& journal, BackupPlatform& platform, FileApi& files)
      : ForwardingProfiles(inner), journal_(journal), platform_(platform), files_(files),
        windows_(files.windowsDirectory()) {}

  bool writeString(const std::string& section, const std::string& entry, const std::string* value,
                   const std::string& file) override;

  // Where the profile functions find a file: a bare name lies in the Windows directory.
  std::string pathOf(const std::string& file) const;

 private:
  std::optional<std::string> entryText(const std::string& section, const std::string& entry,
                                       const std::string& file);

  ChangeJournal& journal_;
  BackupPlatform& platform_;
  FileApi& files_;
  std::string windows_;
};

class RecordingFiles : public ForwardingFiles {
 public:
  RecordingFiles(FileApi& inner, ChangeJournal& journal, BackupPlatform& platform)
      : ForwardingFiles(inner), journal_(journal), platform_(platform) {}

  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  bool createDirectory(const std::string& path) override;
  bool removeDirectory(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  int lzOpenFile(const std::string& path, std::uint16_t style) override;

  // Creates or replaces a whole file with these bytes, as a change of the pass: how an undo puts
  // a file back. Not one of the stores' operations; false on failure.
  bool writeWholeFile(const std::string& path, const std::string& bytes);

 private:
  ChangeJournal& journal_;
  BackupPlatform& platform_;
};

class RecordingShell : public ShellApi {
 public:
  // files: the backend's own, to tell a missing shortcut from an unreadable one.
  RecordingShell(ShellApi& inner, ChangeJournal& journal, BackupPlatform& platform, FileApi& files)
      : inner_(inner), journal_(journal), platform_(platform), files_(files) {}
  std::unique_ptr<ShellLink> createShellLink() override;

 private:
  ShellApi& inner_;
  ChangeJournal& journal_;
  BackupPlatform& platform_;
  FileApi& files_;
};

}  // namespace varnex::settings
