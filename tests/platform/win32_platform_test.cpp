// The Win32 platform services against the real API. Message boxes and the folder browser are modal
// and are left out; everything else runs here, in a prefix that reports Windows 98.
#include "varnex/win32/win32_platform.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace varnex::ui::win32 {
namespace {

// Records 1, 2, 0, 4, 5 as the file holds them.
const std::string kTwentyBytes("\1\0\0\0\2\0\0\0\0\0\0\0\4\0\0\0\5\0\0\0", 20);
const app::Records kRecords{1, 2, 0, 4, 5};
const app::Records kUntouched{9, 9, 9, 9, 9};

class Win32PlatformFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    dir_ = std::string(temp) + "varnex-platform-" + std::to_string(GetCurrentProcessId()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr)) << dir_;
  }
  void TearDown() override {
    for (const std::string& path : made_) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(dir_.c_str());
  }

  std::string path(const std::string& name) {
    made_.push_back(dir_ + "\\" + name);
    return made_.back();
  }
  static void put(const std::string& file, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_ARCHIVE) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << file;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    ASSERT_EQ(written, bytes.size());
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), attributes));
  }
  static std::optional<std::string> contents(const std::string& file) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(256, '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
  }
  // Whether the system refuses to open a read-only file for writing (root under Wine may not).
  static bool readOnlyEnforced(const std::string& file) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return true;
    CloseHandle(h);
    return false;
  }

  Win32Platform platform_;
  std::string dir_;
  std::vector<std::string> made_;
};

TEST_F(Win32PlatformFiles, ReadsTwentyBytesAsFiveLittleEndianRecords) {
  const std::string file = path("Config.DAT");
  put(file, kTwentyBytes);
  app::Records records = kUntouched;
  EXPECT_EQ(platform_.readRecords(file, records), 0);
  EXPECT_EQ(records, kRecords);
}

TEST_F(Win32PlatformFiles, ReadOfAMissingFileIs2AndOfAMissingFolder3) {
  app::Records records = kUntouched;
  EXPECT_EQ(platform_.readRecords(path("Config.DAT"), records), 2);
  EXPECT_EQ(platform_.readRecords(dir_ + "\\Missing\\Config.DAT", records), 3);
  EXPECT_EQ(records, kUntouched);
}

TEST_F(Win32PlatformFiles, ReadOfAReadOnlyFileIs5) {
  const std::string file = path("Config.DAT");
  put(file, kTwentyBytes, FILE_ATTRIBUTE_READONLY);
  if (!readOnlyEnforced(file))
    GTEST_SKIP() << "this Wine opens read-only files for writing (running as root)";
  app::Records records = kUntouched;
  EXPECT_EQ(platform_.readRecords(file, records), 5);
  EXPECT_EQ(records, kUntouched);
}

TEST_F(Win32PlatformFiles, ReadOfNineteenBytesIs100) {
  const std::string file = path("Config.DAT");
  put(file, kTwentyBytes.substr(0, 19));
  app::Records records = kUntouched;
  EXPECT_EQ(platform_.readRecords(file, records), 100);
  EXPECT_EQ(records, kUntouched);
}

TEST_F(Win32PlatformFiles, TwentyFourBytesReadFineAndTheNextWriteCutsThemToTwenty) {
  const std::string file = path("Config.DAT");
  put(file, kTwentyBytes + "tail");
  app::Records records = kUntouched;
  ASSERT_EQ(platform_.readRecords(file, records), 0);
  EXPECT_EQ(records, kRecords);
  EXPECT_EQ(contents(file), kTwentyBytes + "tail") << "reading changes nothing";
  records[2] = 0x04030201;
  ASSERT_EQ(platform_.writeRecords(file, records), 0);
  EXPECT_EQ(contents(file), std::string("\1\0\0\0\2\0\0\0\1\2\3\4\4\0\0\0\5\0\0\0", 20));
}

// Whatever size the file has, a read either gives the five records or fails with 100 and
// leaves the caller's records alone; a rewrite after a good read keeps every reserved record and
// leaves exactly twenty bytes.
TEST_F(Win32PlatformFiles, EverySizeReadsOrFailsAndARewriteKeepsTheReservedRecords) {
  const struct {
    std::size_t size;
    int readResult;
  } cases[] = {{0, 100}, {19, 100}, {20, 0}, {21, 0}, {64 * 1024, 0}};
  for (const auto& c : cases) {
    const std::string file = path("Config" + std::to_string(c.size) + ".DAT");
    std::string bytes = kTwentyBytes + std::string(64 * 1024, '\xA5');
    bytes.resize(c.size);
    put(file, bytes);
    app::Records records = kUntouched;
    ASSERT_EQ(platform_.readRecords(file, records), c.readResult) << c.size << " bytes";
    if (c.readResult != 0) {
      EXPECT_EQ(records, kUntouched) << c.size << " bytes";
      EXPECT_EQ(contents(file), bytes.substr(0, 256)) << c.size << " bytes: a failed read changes nothing";
      continue;
    }
    EXPECT_EQ(records, kRecords) << c.size << " bytes";
    records[2] = 0x01020304;
    ASSERT_EQ(platform_.writeRecords(file, records), 0) << c.size << " bytes";
    EXPECT_EQ(contents(file), kTwentyBytes.substr(0, 8) + std::string("\4\3\2\1", 4) + kTwentyBytes.substr(12))
        << c.size << " bytes";
  }
}

// A folder called Config.DAT is neither read nor replaced: access is denied (5) both ways.
TEST_F(Win32PlatformFiles, AFolderOfThatNameIsRefusedAndStays) {
  const std::string folder = dir_ + "\\Config.DAT";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  app::Records records = kUntouched;
  EXPECT_EQ(platform_.readRecords(folder, records), 5);
  EXPECT_EQ(records, kUntouched);
  EXPECT_EQ(platform_.writeRecords(folder, kRecords), 5);
  EXPECT_EQ(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD{FILE_ATTRIBUTE_DIRECTORY});
  RemoveDirectoryA(folder.c_str());
}

TEST_F(Win32PlatformFiles, WriteMakesAMissingFileButNoMissingFolder) {
  const std::string file = path("Config.DAT");
  EXPECT_EQ(platform_.writeRecords(file, kRecords), 0);
  EXPECT_EQ(contents(file), kTwentyBytes);
  EXPECT_EQ(platform_.writeRecords(dir_ + "\\Missing\\Config.DAT", kRecords), 3);
  EXPECT_EQ(GetFileAttributesA((dir_ + "\\Missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32PlatformFiles, AppendLineAddsToTheEndAndMakesAMissingFileButNoFolder) {
  const std::string file = path("Apply.log");
  EXPECT_TRUE(platform_.appendLine(file, "first"));
  EXPECT_TRUE(platform_.appendLine(file, "second"));
  EXPECT_EQ(contents(file), "first\r\nsecond\r\n");
  EXPECT_FALSE(platform_.appendLine(dir_ + "\\Missing\\Apply.log", "lost"));
  EXPECT_EQ(GetFileAttributesA((dir_ + "\\Missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32PlatformFiles, AWriteThatCannotOpenLeavesTheFileAsItWas) {
  const std::string file = path("Config.DAT");
  put(file, kTwentyBytes + "tail");
  HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  // A sharing violation is no denied access: the user sees the system's own number (I/O error 32).
  EXPECT_EQ(platform_.writeRecords(file, kUntouched), 32) << "sharing violation";
  app::Records records = kUntouched;
  EXPECT_EQ(platform_.readRecords(file, records), 32);
  CloseHandle(held);
  EXPECT_EQ(contents(file), kTwentyBytes + "tail");
}

TEST_F(Win32PlatformFiles, AWriteToAReadOnlyFileIs5AndLeavesItAsItWas) {
  const std::string file = path("Config.DAT");
  put(file, kTwentyBytes + "tail", FILE_ATTRIBUTE_READONLY);
  if (!readOnlyEnforced(file))
    GTEST_SKIP() << "this Wine opens read-only files for writing (running as root)";
  EXPECT_EQ(platform_.writeRecords(file, kUntouched), 5);
  EXPECT_EQ(contents(file), kTwentyBytes + "tail");
}

TEST_F(Win32PlatformFiles, WriteFileReplacesTheWholeFileAndLeavesNothingBeside) {
  const std::string file = path("room.ini");
  const std::string beside = path("room.ini.tmp");
  EXPECT_EQ(platform_.writeFile(file, "first, longer text"), 0);
  EXPECT_EQ(platform_.writeFile(file, "second"), 0);
  EXPECT_EQ(contents(file), "second");
  EXPECT_EQ(GetFileAttributesA(beside.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(platform_.writeFile(dir_ + "\\Missing\\room.ini", "lost"), 3);
  EXPECT_EQ(GetFileAttributesA((dir_ + "\\Missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32PlatformFiles, AWriteFileThatCannotReplaceLeavesTheOldFileAndNothingBeside) {
  const std::string file = path("room.ini");
  const std::string beside = path("room.ini.tmp");
  put(file, "kept");
  HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_NE(platform_.writeFile(file, "new"), 0);
  CloseHandle(held);
  EXPECT_EQ(contents(file), "kept");
  EXPECT_EQ(GetFileAttributesA(beside.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32PlatformFiles, ReadFileReadsAtMostOneByteBeyondItsLimit) {
  const std::string file = path("room.ini");
  put(file, "0123456789", FILE_ATTRIBUTE_READONLY);
  std::string bytes;
  EXPECT_EQ(platform_.readFile(file, bytes, 100), 0) << "a read-only file reads";
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_EQ(platform_.readFile(file, bytes, 4), 0);
  EXPECT_EQ(bytes, "01234");
  EXPECT_EQ(platform_.readFile(path("missing.ini"), bytes, 100), 2);
}

// Answers the open dialog as a user would: the file's full name in the name box, then "Open".
DWORD WINAPI answerOpenDialog(void* file) {
  for (int tries = 0; tries < 200; ++tries, Sleep(50)) {
    HWND dialog = FindWindowA("#32770", nullptr);
    if (!dialog || !IsWindowVisible(dialog)) continue;
    Sleep(200);  // let it finish filling its lists
    SetDlgItemTextA(dialog, 0x47C, static_cast<const std::string*>(file)->c_str());  // cmb13
    SetDlgItemTextA(dialog, 0x480, static_cast<const std::string*>(file)->c_str());  // edt1
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return 0;
  }
  return 1;
}

std::string lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// Config.DAT and the program's shortcuts are made in the current directory, so choosing a
// picture in another folder must leave it where it was.
TEST_F(Win32PlatformFiles, ThePictureDialogLeavesTheCurrentDirectoryWhereItWas) {
  const std::string picture = path("chosen.bmp");
  put(picture, "BM");
  char before[MAX_PATH] = {}, after[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof before, before);
  HANDLE answerer = CreateThread(nullptr, 0, answerOpenDialog, const_cast<std::string*>(&picture), 0, nullptr);
  ASSERT_NE(answerer, nullptr);
  std::optional<std::string> chosen = platform_.openPicture("");
  WaitForSingleObject(answerer, 15000);
  CloseHandle(answerer);
  ASSERT_TRUE(chosen) << "the dialog was not answered";
  EXPECT_EQ(lower(*chosen), lower(picture));
  GetCurrentDirectoryA(sizeof after, after);
  EXPECT_STREQ(after, before);
}

// A name typed without its extension gets the profile's; the current directory stays.
TEST_F(Win32PlatformFiles, TheSaveDialogAddsTheExtensionAndLeavesTheCurrentDirectory) {
  const std::string typed = dir_ + "\\room";
  path("room.ini");
  char before[MAX_PATH] = {}, after[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof before, before);
  HANDLE answerer = CreateThread(nullptr, 0, answerOpenDialog, const_cast<std::string*>(&typed), 0, nullptr);
  ASSERT_NE(answerer, nullptr);
  std::optional<std::string> chosen =
      platform_.saveFileName({"Save Settings", "Varnex 2000 Profile (*.ini)", "*.ini", "ini"});
  WaitForSingleObject(answerer, 15000);
  CloseHandle(answerer);
  ASSERT_TRUE(chosen) << "the dialog was not answered";
  EXPECT_EQ(lower(*chosen), lower(typed + ".ini"));
  GetCurrentDirectoryA(sizeof after, after);
  EXPECT_STREQ(after, before);
}

TEST(Win32Platform, OsVersionIsWindows98SecondEdition) {
  Win32Platform platform;
  const app::OsVersion version = platform.osVersion();
  EXPECT_EQ(version.platformId, 1u);
  EXPECT_EQ(version.major, 4u);
  EXPECT_EQ(version.minor, 10u);
  EXPECT_EQ(version.build & 0xFFFF, 2222u);
}

TEST(Win32Platform, MemoryStatusIsTheThirtyTwoByteRecordWithTotals) {
  Win32Platform platform;
  const app::MemoryStatus status = platform.memoryStatus();
  if constexpr (sizeof(void*) == 8) {
    // The 64-bit stand-in build fills the 64-bit record, whose address space always exceeds
    // 4 GB: the platform must saturate that, not cut it to its low 32 bits.
    EXPECT_EQ(status.length, 56u);
    EXPECT_EQ(status.totalVirtual, 0xFFFFFFFFu);
  } else {
    EXPECT_EQ(status.length, 32u);
  }
  EXPECT_NE(status.totalPhys, 0u);
  EXPECT_NE(status.totalPageFile, 0u);
  EXPECT_NE(status.totalVirtual, 0u);
  // Nothing about the free amounts: on a host with much memory Wine clamps them apart from the
  // totals (a free page file of 0xFFFFFFFF beside a total of 0xFFF7FFFF has been seen).
}

TEST(Win32Platform, DirectoriesHaveNoTrailingBackslash) {
  Win32Platform platform;
  for (const std::string& dir : {platform.windowsDirectory(), platform.currentDirectory()}) {
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '\\') << dir;
    EXPECT_NE(GetFileAttributesA(dir.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << dir;
  }
}

// A top-level window of a class of its own, not shown.
class Win32PlatformWindow : public ::testing::Test {
 protected:
  static constexpr const char* kClass = "VarnexPlatformTest";
  static constexpr const char* kTitle = "Varnex platform test";

  void SetUp() override {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClass;
    RegisterClassA(&windowClass);  // fails harmlessly for the second test
    window_ = CreateWindowExA(0, kClass, kTitle, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    platform_.setMainWindow(window_);
  }
  void TearDown() override { DestroyWindow(window_); }

  // Pumps messages until count WM_TIMER for id arrived or two seconds passed; the number seen.
  int waitForTimers(UINT_PTR id, int count) {
    int seen = 0;
    const DWORD start = GetTickCount();
    while (seen < count && GetTickCount() - start < 2000) {
      MSG message;
      while (PeekMessageA(&message, window_, 0, 0, PM_REMOVE))
        if (message.message == WM_TIMER && message.wParam == id) ++seen;
      Sleep(5);
    }
    return seen;
  }

  Win32Platform platform_;
  HWND window_ = nullptr;
};

TEST_F(Win32PlatformWindow, FindsTheWindowByClassAndTitleAndSeesItsVisibility) {
  const app::WindowHandle found = platform_.findWindow(kClass, kTitle);
  EXPECT_EQ(found, reinterpret_cast<app::WindowHandle>(window_));
  EXPECT_EQ(platform_.findWindow(kClass, "Another title"), 0u);
  EXPECT_EQ(platform_.findWindow("TForm1", kTitle), 0u);
  EXPECT_FALSE(platform_.isWindowVisible(found));
  platform_.showMainWindow(true);
  EXPECT_TRUE(platform_.isWindowVisible(found));
  platform_.showMainWindow(false);
  EXPECT_FALSE(platform_.isWindowVisible(found));
}

TEST_F(Win32PlatformWindow, PostsTheRestoreRequest) {
  ASSERT_TRUE(platform_.postMessage(reinterpret_cast<app::WindowHandle>(window_), app::kWmUser, 0, 0));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, window_, app::kWmUser, app::kWmUser, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
  EXPECT_EQ(message.lParam, 0);
}

TEST_F(Win32PlatformWindow, TimerFiresUntilKilled) {
  constexpr int kId = 7;
  platform_.setTimer(kId, 20);
  EXPECT_EQ(waitForTimers(kId, 2), 2);
  platform_.killTimer(kId);
  MSG message;
  while (PeekMessageA(&message, window_, WM_TIMER, WM_TIMER, PM_REMOVE)) {
  }
  Sleep(100);
  EXPECT_FALSE(PeekMessageA(&message, window_, WM_TIMER, WM_TIMER, PM_REMOVE));
}

}  // namespace
}  // namespace varnex::ui::win32
