// Drives the real varnex.exe under Wine through one write pass with many changes (options of
// the Boot, System, Windows and Start Menu pages, MSDOS.SYS and SYSTEM.INI rows among them),
// then undoes it as a user would: "regedit /S" of the newest backup's Restore.reg and the two
// profile files copied back. The registry (read value for value) and the files must be as
// before the pass.
// Usage: backup_end_to_end Z:\path\to\Varnex.exe
#include <set>

#include "tests/app/wine/driver.h"
#include "tests/app/wine/machine_state.h"

using namespace varnex::e2e;

namespace {

const char* const kFolder = "C:\\Varnex Backup E2E";

// The write pass under test: "Back to Windows Default" on the "Varnex" page, answered Yes.
void writePass(const PROCESS_INFORMATION& program, HWND window) {
  check(selectTab(program.hProcess, window, 10), "the Varnex page is shown");
  leftClick(childByCaption(window, "Back to Windows Default"));
  HWND confirm = waitForVisible("#32770", "Confirm", 10000);
  check(confirm != nullptr, "Back to Windows Default asks first");
  if (confirm) leftClick(childByCaption(confirm, "&Yes"));
  check(waitUntil([](HWND w) { return FindWindowA("#32770", "Confirm") == nullptr && IsWindowEnabled(w) != FALSE; },
                  window, 30000),
        "Yes runs its steps and Apply");
  Sleep(1000);
}

// The newest folder of the program's Backup folder, or "".
std::string newestBackup() {
  WIN32_FIND_DATAA found;
  std::string newest;
  HANDLE search = FindFirstFileA((std::string(kFolder) + "\\Backup\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return newest;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != ".." && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name > newest) newest = name;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return newest.empty() ? newest : std::string(kFolder) + "\\Backup\\" + newest;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: backup_end_to_end Varnex.exe\n");
    return 2;
  }
  const std::string exe = argv[1];
  prepareProgramFolder(kFolder);
  const std::string systemIni = windowsDirectory() + "\\SYSTEM.INI";
  // The sample machine: its registry, boot options file and SYSTEM.INI.
  const std::string sample = VARNEX_SAMPLE_DIR;
  run("regedit /S \"" + sample + "/registry.reg\"");
  check(CopyFileA((sample + "/MSDOS.SYS").c_str(), "C:\\MSDOS.SYS", FALSE) != 0, "the sample MSDOS.SYS is in place");
  check(CopyFileA((sample + "/SYSTEM.INI").c_str(), systemIni.c_str(), FALSE) != 0, "the sample SYSTEM.INI is in place");
  SetFileAttributesA("C:\\MSDOS.SYS", FILE_ATTRIBUTE_ARCHIVE);  // as the program leaves it while it runs

  const std::set<std::string> registryBefore = readRegistry();
  const std::vector<unsigned char> msdosBefore = readFile("C:\\MSDOS.SYS");
  const std::vector<unsigned char> systemIniBefore = readFile(systemIni);
  check(!msdosBefore.empty() && !systemIniBefore.empty(), "the sample machine has MSDOS.SYS and SYSTEM.INI");

  PROCESS_INFORMATION program = start(exe, kFolder);
  HWND window = waitForWindow("TForm1", "Varnex 2000", 60000);
  check(waitUntilVisible(window, 30000), "the main window is shown");
  if (window) {
    writePass(program, window);
    leftClick(childByCaption(window, "Cancel"));
  }
  check(exited(program, 30000), "Cancel ends the program");
  stop(program);

  const std::set<std::string> registryAfterPass = readRegistry();
  check(registryAfterPass != registryBefore, "the pass changed the registry");
  check(readFile("C:\\MSDOS.SYS") != msdosBefore, "the pass changed MSDOS.SYS");
  check(readFile(systemIni) != systemIniBefore, "the pass changed SYSTEM.INI");

  const std::string backup = newestBackup();
  check(!backup.empty(), "the pass left a backup in the program's Backup folder");
  const std::vector<unsigned char> reg = readFile(backup + "\\Restore.reg");
  check(reg.size() > 10 && std::memcmp(reg.data(), "REGEDIT4\r\n", 10) == 0, "its Restore.reg is REGEDIT4 text");
  const std::vector<unsigned char> changes = readFile(backup + "\\Changes.txt");
  std::printf("%s\n", std::string(changes.begin(), changes.end()).c_str());

  // Undo as a user would: import the .reg file, copy the two files back.
  run("regedit /S \"" + backup + "\\Restore.reg\"");
  check(CopyFileA((backup + "\\MSDOS.SYS").c_str(), "C:\\MSDOS.SYS", FALSE) != 0, "MSDOS.SYS copied back");
  check(CopyFileA((backup + "\\SYSTEM.INI").c_str(), systemIni.c_str(), FALSE) != 0, "SYSTEM.INI copied back");

  const std::set<std::string> registryAfter = readRegistry();
  check(registryAfter == registryBefore, "the registry is as before the pass, value for value");
  printMissing(registryBefore, registryAfter, "lost:");
  printMissing(registryAfter, registryBefore, "extra:");
  check(readFile("C:\\MSDOS.SYS") == msdosBefore, "MSDOS.SYS is as before the pass");
  check(readFile(systemIni) == systemIniBefore, "SYSTEM.INI is as before the pass");

  std::printf("%d checks failed\n", failures);
  return failures == 0 ? 0 : 1;
}
