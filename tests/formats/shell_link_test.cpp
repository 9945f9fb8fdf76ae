#include "settings/formats/shell_link.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/formats/format_error.h"

namespace varnex::formats {
namespace {

using Bytes = std::vector<std::uint8_t>;

void putLe16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putLe32(Bytes& b, std::uint32_t v) {
    putLe16(b, v & 0xFFFF);
    putLe16(b, v >> 16);
}
void setLe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void putUtf16Counted(Bytes& b, const std::u16string& s) {
    putLe16(b, static_cast<std::uint32_t>(s.size()));
    for (char16_t c : s) putLe16(b, c);
}

// The layout an IShellLinkA implementation saves: an ID list, a LinkInfo whose target is split
// into LocalBasePath + CommonPathSuffix, and Unicode StringData.
Bytes savedByShell() {
    Bytes b = writeShellLink("", "");
    b.resize(0x4C);
    setLe32(b, 20, 0x1 | 0x2 | 0x8 | 0x10 | 0x80);  // ID list, LinkInfo, relative path, working dir, Unicode
    const Bytes idList = {0x14, 0x00, 0x1F, 0x50, 0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                          0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D, 0x00, 0x00};
    putLe16(b, static_cast<std::uint32_t>(idList.size()));
    b.insert(b.end(), idList.begin(), idList.end());
    const std::string base = "C:\\Program Files\\", suffix = "Tool\\run.exe";
    const std::uint32_t volumeAt = 0x1C, volumeSize = 0x10 + 4;
    const std::uint32_t baseAt = volumeAt + volumeSize;
    const auto suffixAt = static_cast<std::uint32_t>(baseAt + base.size() + 1);
    putLe32(b, static_cast<std::uint32_t>(suffixAt + suffix.size() + 1));
    putLe32(b, 0x1C);
    putLe32(b, 1);
    putLe32(b, volumeAt);
    putLe32(b, baseAt);
    putLe32(b, 0);
    putLe32(b, suffixAt);
    putLe32(b, volumeSize);
    putLe32(b, 3);
    putLe32(b, 0x1234ABCD);
    putLe32(b, 0x10);
    b.insert(b.end(), {'W', '9', '8', 0});
    b.insert(b.end(), base.begin(), base.end());
    b.push_back(0);
    b.insert(b.end(), suffix.begin(), suffix.end());
    b.push_back(0);
    putUtf16Counted(b, u"..\\Tool\\run.exe");
    putUtf16Counted(b, u"C:\\Caf\u00e9");
    putLe32(b, 0);
    return b;
}

TEST(ShellLink, WrittenLinkReadsBack) {
    const struct {
        std::string target, dir;
    } cases[] = {
        {"C:\\WINDOWS\\NOTEPAD.EXE", "C:\\WINDOWS"},
        {"C:\\Program Files\\Varnex\\varnex.exe", ""},
        {"", "C:\\"},
        {std::string("C:\\Caf\xE9.exe"), std::string(300, 'd')},
    };
    for (const auto& c : cases) {
        const ShellLinkInfo info = readShellLink(writeShellLink(c.target, c.dir), "x.lnk");
        EXPECT_EQ(info.target, c.target);
        EXPECT_EQ(info.workingDirectory, c.dir);
    }
}

TEST(ShellLink, WrittenLinkHasTheShellLinkLayout) {
    const Bytes b = writeShellLink("C:\\A.EXE", "C:\\");
    ASSERT_GE(b.size(), 0x4Cu + 0x1C);
    EXPECT_EQ(b[0], 0x4C);
    const Bytes clsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 20), clsid);
    EXPECT_EQ(b[20], 0x12) << "HasLinkInfo | HasWorkingDir, ANSI";
    const std::size_t linkInfoSize = b[0x4C] | b[0x4D] << 8;
    // LinkInfo, then the 3-character working directory (ANSI, counted), then the terminal block.
    EXPECT_EQ(b.size(), 0x4C + linkInfoSize + 2 + 3 + 4);
}

TEST(ShellLink, ReadsALinkSavedByTheShell) {
    const ShellLinkInfo info = readShellLink(savedByShell(), "saved.lnk");
    EXPECT_EQ(info.target, "C:\\Program Files\\Tool\\run.exe");
    EXPECT_EQ(info.workingDirectory, "C:\\Caf\xC3\xA9") << "Unicode strings come back as UTF-8";
}

// Saved by Wine's IShellLinkA/IPersistFile for target C:\TOOLS\run.exe, working directory
// C:\TOOLS: an ID list, LinkInfo with the ANSI path, Unicode working directory whose count
// includes its terminating NUL.
const Bytes kWineLink = {
    0x4C, 0x00, 0x00, 0x00, 0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x46, 0x93, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xA1, 0x00, 0x14, 0x00,
    0x1F, 0x00, 0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10, 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30,
    0x30, 0x9D, 0x19, 0x00, 0x23, 0x43, 0x3A, 0x5C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x31, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x8A, 0x5D, 0x79, 0x10, 0x10, 0x00, 0x54, 0x4F, 0x4F, 0x4C, 0x53, 0x00, 0x22,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x8A, 0x5D, 0x79, 0x10, 0x8A, 0x5D, 0x79, 0x10, 0x00,
    0x00, 0x00, 0x00, 0x54, 0x00, 0x4F, 0x00, 0x4F, 0x00, 0x4C, 0x00, 0x53, 0x00, 0x00, 0x00, 0x14,
    0x00, 0x3C, 0x00, 0x32, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x72,
    0x75, 0x6E, 0x2E, 0x65, 0x78, 0x65, 0x00, 0x26, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x72, 0x00, 0x75, 0x00, 0x6E,
    0x00, 0x2E, 0x00, 0x65, 0x00, 0x78, 0x00, 0x65, 0x00, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00, 0x3F,
    0x00, 0x00, 0x00, 0x1C, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x1C, 0x00, 0x00, 0x00, 0x2D,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3E, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x03,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x43, 0x10, 0x00, 0x00, 0x00, 0x00, 0x43, 0x3A, 0x5C, 0x54,
    0x4F, 0x4F, 0x4C, 0x53, 0x5C, 0x72, 0x75, 0x6E, 0x2E, 0x65, 0x78, 0x65, 0x00, 0x00, 0x09, 0x00,
    0x43, 0x00, 0x3A, 0x00, 0x5C, 0x00, 0x54, 0x00, 0x4F, 0x00, 0x4F, 0x00, 0x4C, 0x00, 0x53, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
};

TEST(ShellLink, ReadsALinkSavedByWine) {
    const ShellLinkInfo info = readShellLink(kWineLink, "wine.lnk");
    EXPECT_EQ(info.target, "C:\\TOOLS\\run.exe");
    EXPECT_EQ(info.workingDirectory, "C:\\TOOLS");
}

TEST(ShellLink, WithoutLinkInfoTheRelativePathIsTheTarget) {
    Bytes b = writeShellLink("", "");
    b.resize(0x4C);
    setLe32(b, 20, 0x8 | 0x10);
    putLe16(b, 7);
    b.insert(b.end(), {'.', '\\', 'a', '.', 'e', 'x', 'e'});
    putLe16(b, 2);
    b.insert(b.end(), {'C', ':'});
    const ShellLinkInfo info = readShellLink(b, "rel.lnk");
    EXPECT_EQ(info.target, ".\\a.exe");
    EXPECT_EQ(info.workingDirectory, "C:");
}

TEST(ShellLink, RejectsMalformedLinksNamingTheOffset) {
    const Bytes good = writeShellLink("C:\\A.EXE", "C:\\WORK");
    const std::size_t li = 0x4C;
    auto with = [&](auto edit) {
        Bytes b = good;
        edit(b);
        return b;
    };
    const struct {
        const char* name;
        Bytes file;
        const char* message;
    } cases[] = {
        {"shorter than the header", Bytes(good.begin(), good.begin() + 40), "a.lnk: offset 0: shell link header runs past the end"},
        {"wrong header size", with([](Bytes& b) { b[0] = 0x4D; }), "a.lnk: offset 0: not a shell link"},
        {"wrong class", with([](Bytes& b) { b[19] = 0; }), "a.lnk: offset 4: not a shell link (wrong class ID)"},
        {"ID list past the end", with([](Bytes& b) { b[20] |= 1; b.resize(0x4C); b.insert(b.end(), {0xFF, 0x00, 1}); }),
         "a.lnk: offset 78: LinkTargetIDList runs past the end"},
        {"LinkInfo size past the end", with([&](Bytes& b) { setLe32(b, li, 0x10000); }), "a.lnk: offset 76: LinkInfo runs past the end"},
        {"LinkInfo size too small", with([&](Bytes& b) { setLe32(b, li, 4); }), "a.lnk: offset 76: LinkInfo size 4 is too small"},
        {"base path offset outside", with([&](Bytes& b) { setLe32(b, li + 16, 0x400); }),
         "a.lnk: offset 92: LocalBasePath offset 1024 lies outside LinkInfo"},
        {"base path without NUL",
         with([&](Bytes& b) {
             const std::size_t size = b[li] | b[li + 1] << 8;
             for (std::size_t i = li + 0x1C + 0x11; i < li + size; ++i) b[i] = 'x';
         }),
         "a.lnk: offset 121: LocalBasePath has no terminating NUL"},
        {"VolumeID size beyond LinkInfo", with([&](Bytes& b) { setLe32(b, li + 0x1C, 0x7FFFFFFF); }),
         "a.lnk: offset 104: VolumeID size 2147483647 is invalid"},
        {"working directory count past the end", with([](Bytes& b) { b.resize(b.size() - 4 - 4); }),
         "a.lnk: offset 131: WORKING_DIR runs past the end"},
    };
    for (const auto& c : cases) {
        std::string message = "(no error)";
        try {
            readShellLink(c.file, "a.lnk");
        } catch (const FormatError& e) {
            message = e.what();
        }
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << c.name << ": " << message;
    }
}

}  // namespace
}  // namespace varnex::formats
