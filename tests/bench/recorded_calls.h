#pragma once
// The platform calls the stores make, as a list: a recording decorator around any StoreApis
// writes one entry per call, so that a pass can be replayed later without the stores.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "settings/platform_api.h"

namespace varnex::bench {

enum class Op {
  OpenKey, CreateKey, CloseKey, QueryValue, SetValue, DeleteValue, DeleteKey, QueryInfoKey,
  EnumKey, EnumValue, ReadProfile, WriteProfile, GetAttributes, SetAttributes, FindFile,
  MakeFolder, RemoveFolder, RemoveFile, LzOpen, LzCopy, LzClose, WindowsDirectory,
  CurrentDirectory, CreateShellLink, SetPath, SetWorkingDirectory, QueryPersistFile, Save,
  ReleaseShellLink, ReleasePersistFile,
};

// One call with its arguments. Handles are numbered slots: 0 to 3 are the four registry roots,
// every handle a call produces gets the next free slot.
struct Call {
  Op op;
  int in = -1, in2 = -1, out = -1;  // slots read and produced
  std::string text1, text2, text3, text4;
  bool has2 = true, has3 = true;     // null pointers are kept apart from empty texts
  bool wantType = false, wantData = false, wantSize = false;
  std::uint32_t number = 0;          // buffer size, value type, index, attributes or style
  std::vector<std::uint8_t> data;    // what RegSetValueExA stores
  double at = 0;                     // when the store made the call, in ms (bench::now)
};

// The operation's name as the benchmarks print it.
const char* opName(Op op);

class Recording {
 public:
  explicit Recording(settings::StoreApis inner);
  ~Recording();
  settings::StoreApis apis();

  // Starts a new list; the slots of handles still open stay known.
  void clear() { calls_.clear(); }
  const std::vector<Call>& calls() const { return calls_; }
  int slots() const { return nextSlot_; }

  // Slot bookkeeping for the decorators; kinds keep registry, LZ and COM handles apart.
  enum Kind { RegistryKey, LzFile, ComObject };
  int slotOf(Kind kind, std::uintptr_t handle);
  int newSlot(Kind kind, std::uintptr_t handle);
  Call& add(Op op);
  Call& last() { return calls_.back(); }
  int reserveSlot() { return nextSlot_++; }  // a handle that a failed call did not produce

 private:
  class Registry;
  class Profiles;
  class Files;
  class Shell;
  std::unique_ptr<Registry> registry_;
  std::unique_ptr<Profiles> profiles_;
  std::unique_ptr<Files> files_;
  std::unique_ptr<Shell> shell_;
  std::vector<Call> calls_;
  std::map<std::pair<Kind, std::uintptr_t>, int> live_;
  int nextSlot_ = 4;
};

}  // namespace varnex::bench
