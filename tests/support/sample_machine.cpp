#include "tests/support/sample_machine.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "settings/formats/shell_link.h"
#include "settings/profile_store.h"

namespace varnex::settings {

std::string readSampleFile(const std::string& name) {
  const std::string path = std::string(VARNEX_SOURCE_DIR) + "/sample/" + name;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw std::runtime_error("cannot read " + path);
  std::string bytes;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, got);
  std::fclose(f);
  return bytes;
}

void loadSampleMachine(MemoryMachine& machine) {
  machine.loadRegedit4(readSampleFile("registry.reg"), "sample/registry.reg");
  machine.loadIni(kMsdosSys, readSampleFile("MSDOS.SYS"), "sample/MSDOS.SYS",
                  kAttrReadOnly | kAttrHidden | kAttrSystem);
  machine.loadIni(kSystemIni, readSampleFile("SYSTEM.INI"), "sample/SYSTEM.INI");

  MemoryFiles& files = machine.files;
  const std::string windows = files.windowsDirectory();
  files.putFolder(windows + "\\Desktop");
  files.putFolder(windows + "\\Start Menu\\Programs");
  files.putFolder(windows + "\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch");

  files.putFolder(kSampleProgramFolder);
  // The Readme.txt that ships, as the installer leaves it.
  files.putFile(kSampleProgramFolder + "\\Readme.txt", readSampleFile("../release/Readme.txt"));
  std::string config;
  for (std::uint32_t record : kSampleConfigRecords)
    for (int shift = 0; shift < 32; shift += 8) config += static_cast<char>(record >> shift & 0xFF);
  files.putFile(kSampleProgramFolder + "\\Config.DAT", config);
  files.setCurrentDirectory(kSampleProgramFolder);

  const std::vector<std::uint8_t> link = formats::writeShellLink(kSampleUninstaller, kSampleProgramFolder);
  files.putFile(kSampleUninstallLink, std::string(link.begin(), link.end()));
}

}  // namespace varnex::settings
