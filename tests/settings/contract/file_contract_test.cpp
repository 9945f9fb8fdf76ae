// The file store's rules, run against every backend.
#include "settings/file_store.h"
#include "settings/profile_store.h"
#include "settings/formats/shell_link.h"
#include "settings/formats/szdd.h"
#include "tests/settings/contract/contract_fixture.h"

namespace varnex::settings::contract {
namespace {

class FileContract : public StoreContract {
 protected:
  FileStore files{apis.files, apis.shell};
};

TEST_F(FileContract, FilesAndFoldersAreTellApart) {
  ASSERT_TRUE(backend->putFile(dir + "\\a.txt", "x"));
  EXPECT_TRUE(files.fileExists(dir + "\\a.txt"));
  EXPECT_TRUE(files.fileExists(dir + "\\A.TXT"));
  EXPECT_FALSE(files.folderExists(dir + "\\a.txt"));
  EXPECT_TRUE(files.folderExists(dir));
  EXPECT_FALSE(files.fileExists(dir));
  EXPECT_FALSE(files.fileExists(dir + "\\missing"));
  EXPECT_FALSE(files.folderExists(dir + "\\missing"));
}

TEST_F(FileContract, MakeFoldersCreatesEveryMissingParent) {
  EXPECT_TRUE(files.makeFolders(dir + "\\Start Menu\\Programs\\Deep\\"));
  EXPECT_TRUE(files.folderExists(dir + "\\Start Menu\\Programs\\Deep"));
  EXPECT_TRUE(files.makeFolders(dir + "\\Start Menu")) << "an existing folder counts as done";
  EXPECT_TRUE(files.makeFolders("C:"));
}

TEST_F(FileContract, RemoveFolderOnlyWhenEmpty) {
  files.makeFolders(dir + "\\Full\\Inner");
  EXPECT_FALSE(files.removeFolder(dir + "\\Full"));
  EXPECT_TRUE(files.folderExists(dir + "\\Full"));
  EXPECT_TRUE(files.removeFolder(dir + "\\Full\\Inner"));
  EXPECT_TRUE(files.removeFolder(dir + "\\Full"));
  EXPECT_FALSE(files.folderExists(dir + "\\Full"));
  EXPECT_FALSE(files.removeFolder(dir + "\\Full"));
}

TEST_F(FileContract, DeleteFileAndAttributes) {
  ASSERT_TRUE(backend->putFile(dir + "\\MSDOS.SYS", "[Options]\r\n"));
  // Wine reports the archive bit on every file, so only read-only, hidden and system are compared.
  constexpr std::uint32_t kBootBits = kAttrReadOnly | kAttrHidden | kAttrSystem;
  EXPECT_TRUE(files.setAttributes(dir + "\\MSDOS.SYS", 7));
  EXPECT_EQ(apis.files.getFileAttributes(dir + "\\MSDOS.SYS") & kBootBits, 7u);
  EXPECT_TRUE(files.setAttributes(dir + "\\MSDOS.SYS", 32));
  EXPECT_EQ(apis.files.getFileAttributes(dir + "\\MSDOS.SYS") & (kBootBits | kAttrArchive), 32u);
  EXPECT_TRUE(files.deleteFile(dir + "\\MSDOS.SYS"));
  EXPECT_FALSE(files.fileExists(dir + "\\MSDOS.SYS"));
  EXPECT_FALSE(files.deleteFile(dir + "\\MSDOS.SYS"));
  EXPECT_FALSE(files.setAttributes(dir + "\\MSDOS.SYS", 32));
}

TEST_F(FileContract, CopyFileCopiesPlainFilesAndExpandsCompressedOnes) {
  const std::string plain("plain bytes\r\n\0\x01\x02 end", 20);
  std::string original;
  for (int i = 0; i < 3000; ++i) original += "Uninstall " + std::to_string(i % 97) + "\r\n";
  std::vector<std::uint8_t> raw(original.begin(), original.end());
  std::vector<std::uint8_t> packed = formats::compressSzdd(raw, 'k');

  ASSERT_TRUE(backend->putFile(dir + "\\plain.bin", plain));
  ASSERT_TRUE(backend->putFile(dir + "\\packed.ln_", std::string(packed.begin(), packed.end())));
  ASSERT_TRUE(backend->putFile(dir + "\\old.lnk", std::string(5000, 'o')));

  files.copyFile(dir + "\\plain.bin", dir + "\\plain.copy");
  files.copyFile(dir + "\\packed.ln_", dir + "\\old.lnk");
  EXPECT_EQ(backend->readFile(dir + "\\plain.copy"), plain);
  EXPECT_EQ(backend->readFile(dir + "\\old.lnk"), original) << "expanded, and the old file truncated";
}

TEST_F(FileContract, CopyFromAMissingSourceLeavesAnEmptyDestination) {
  ASSERT_TRUE(backend->putFile(dir + "\\Uninstall.lnk", "stale"));
  files.copyFile(dir + "\\Missing.lnk", dir + "\\Uninstall.lnk");
  EXPECT_EQ(backend->readFile(dir + "\\Uninstall.lnk"), std::string());
}

TEST_F(FileContract, CreateShellLinkSavesTargetAndWorkingDirectory) {
  ASSERT_TRUE(backend->putFile(dir + "\\Varnex.exe", "MZ"));
  EXPECT_TRUE(files.CreateShellLink(dir + "\\Varnex.exe", dir + "\\Varnex 2000.lnk", dir));
  std::optional<std::string> saved = backend->readFile(dir + "\\Varnex 2000.lnk");
  ASSERT_TRUE(saved.has_value());
  std::vector<std::uint8_t> bytes(saved->begin(), saved->end());
  formats::ShellLinkInfo link = formats::readShellLink(bytes, "Varnex 2000.lnk");
  EXPECT_TRUE(equalsIgnoringCase(link.target, dir + "\\Varnex.exe")) << link.target;
  EXPECT_TRUE(equalsIgnoringCase(link.workingDirectory, dir)) << link.workingDirectory;
}

}  // namespace
}  // namespace varnex::settings::contract
