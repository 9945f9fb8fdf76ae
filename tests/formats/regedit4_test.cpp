#include "settings/formats/regedit4.h"

#include <gtest/gtest.h>

#include "settings/formats/format_error.h"

namespace varnex::formats {
namespace {

using Kind = RegOp::Kind;
using Bytes = std::vector<std::uint8_t>;

RegOp key(Kind kind, std::uint32_t root, std::string path) {
    return RegOp{kind, root, std::move(path), "", 0, {}};
}
RegOp value(std::uint32_t root, std::string path, std::string name, std::uint32_t type, Bytes data) {
    return RegOp{Kind::SetValue, root, std::move(path), std::move(name), type, std::move(data)};
}

TEST(Regedit4, ParsesEveryValueFormInFileOrder) {
    const char* text =
        "\r\n"
        "REGEDIT4\r\n"
        "\r\n"
        "; a comment\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Varnex]\r\n"
        "\"Text\"=\"C:\\\\Program Files \\\"quoted\\\"\"\r\n"
        "@=\"default\"\r\n"
        "\"Count\"=dword:0000001f\r\n"
        "\"Max\" = DWORD:FFFFFFFF\r\n"
        "\"Bin\"=hex:70,01,00,20\r\n"
        "\"Path\"=hex(2):25,00\r\n"
        "\"None\"=hex(0):\r\n"
        "\"Long\"=hex:01,02,\\\r\n"
        "  03,04,\\\r\n"
        "  05\r\n"
        "\"Old\"=-\r\n"
        "[-HKCU\\Software\\Gone]\r\n"
        "[hkcr\\.txt]\n"
        "[HKEY_USERS\\.DEFAULT\\Control Panel\\]\n"
        "[HKU]\n";
    const std::uint32_t lm = kHkeyLocalMachine;
    const std::string p = "Software\\Varnex";
    const std::vector<RegOp> expected = {
        key(Kind::CreateKey, lm, p),
        value(lm, p, "Text", kRegSz, Bytes{'C', ':', '\\', 'P', 'r', 'o', 'g', 'r', 'a', 'm', ' ', 'F', 'i', 'l', 'e',
                                           's', ' ', '"', 'q', 'u', 'o', 't', 'e', 'd', '"', 0}),
        value(lm, p, "", kRegSz, Bytes{'d', 'e', 'f', 'a', 'u', 'l', 't', 0}),
        value(lm, p, "Count", kRegDword, Bytes{0x1f, 0, 0, 0}),
        value(lm, p, "Max", kRegDword, Bytes{0xff, 0xff, 0xff, 0xff}),
        value(lm, p, "Bin", kRegBinary, Bytes{0x70, 0x01, 0x00, 0x20}),
        value(lm, p, "Path", kRegExpandSz, Bytes{0x25, 0x00}),
        value(lm, p, "None", kRegNone, Bytes{}),
        value(lm, p, "Long", kRegBinary, Bytes{1, 2, 3, 4, 5}),
        RegOp{Kind::DeleteValue, lm, p, "Old", 0, {}},
        key(Kind::DeleteKey, kHkeyCurrentUser, "Software\\Gone"),
        key(Kind::CreateKey, kHkeyClassesRoot, ".txt"),
        key(Kind::CreateKey, kHkeyUsers, ".DEFAULT\\Control Panel"),
        key(Kind::CreateKey, kHkeyUsers, ""),
    };
    const std::vector<RegOp> ops = parseRegedit4(text, "sample.reg");
    ASSERT_EQ(ops.size(), expected.size());
    for (std::size_t i = 0; i < ops.size(); ++i) EXPECT_EQ(ops[i], expected[i]) << "operation " << i;
}

TEST(Regedit4, RejectsMalformedTextNamingTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "t.reg: line 0: the file does not start with REGEDIT4"},
        {"\nREGEDIT5\n", "t.reg: line 2: the file does not start with REGEDIT4"},
        {"REGEDIT4\n\"A\"=\"x\"\n", "t.reg: line 2: value line outside any key"},
        {"REGEDIT4\n[-HKCU\\A]\n\"A\"=\"x\"\n", "t.reg: line 3: value line outside any key"},
        {"REGEDIT4\n[HKEY_CURRENT_CONFIG\\A]\n", "t.reg: line 2: unknown root key 'HKEY_CURRENT_CONFIG'"},
        {"REGEDIT4\n[HKCU\\A\n", "t.reg: line 2: key line has no closing ']'"},
        {"REGEDIT4\n[HKCU\\A\\\\B]\n", "t.reg: line 2: key path has an empty component"},
        {"REGEDIT4\n[HKCU\\A\\\\]\n", "t.reg: line 2: key path has an empty component"},
        {"REGEDIT4\n[-HKLM]\n", "t.reg: line 2: a root key cannot be deleted"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=\"open\n", "t.reg: line 3: unterminated string"},
        {"REGEDIT4\n[HKCU\\A]\n\"A=\"x\"\n", "t.reg: line 3: expected '=' after the value name"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=\"a\\tb\"\n", "t.reg: line 3: bad escape '\\t' in string"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=\"x\" junk\n", "t.reg: line 3: unexpected text after the string"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=dword:123456789\n", "t.reg: line 3: bad dword '123456789'"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=dword:\n", "t.reg: line 3: bad dword ''"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=dword:12g4\n", "t.reg: line 3: bad dword '12g4'"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=hex:01,2g\n", "t.reg: line 3: bad hex byte '2g'"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=hex:01,,02\n", "t.reg: line 3: bad hex byte ''"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=hex:100\n", "t.reg: line 3: bad hex byte '100'"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=hex:01,\\\n 02,\\\n  zz\n", "t.reg: line 5: bad hex byte 'zz'"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=hex:01,\\\n", "t.reg: line 3: hex list continues past the end of the file"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=hex(2:01\n", "t.reg: line 3: hex( has no closing ')'"},
        {"REGEDIT4\n[HKCU\\A]\n\"A\"=str:x\n", "t.reg: line 3: unrecognised value data 'str:x'"},
        {"REGEDIT4\n[HKCU\\A]\nA=1\n", "t.reg: line 3: unexpected text"},
    };
    for (const auto& c : cases) {
        std::string message = "(no error)";
        try {
            parseRegedit4(c.text, "t.reg");
        } catch (const FormatError& e) {
            message = e.what();
        }
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << "input:\n" << c.text << "\ngot: " << message;
    }
}

TEST(Regedit4, WritesTheFormsRegeditWrites) {
    const std::vector<RegOp> ops = {
        value(kHkeyLocalMachine, "System\\MSTCP", "DefaultTTL", kRegSz, {'3', '2', 0}),
        value(kHkeyLocalMachine, "System\\MSTCP", "", kRegDword, {0x6c, 0x02, 0, 0}),
        RegOp{Kind::DeleteValue, kHkeyLocalMachine, "System\\MSTCP", "Gone", 0, {}},
        key(Kind::DeleteKey, kHkeyCurrentUser, "Software\\New"),
        value(kHkeyClassesRoot, "Unknown\\shell", "Flags", kRegBinary, {0x70, 0x01, 0x00, 0x20}),
    };
    EXPECT_EQ(writeRegedit4(ops),
              "REGEDIT4\r\n"
              "\r\n[HKEY_LOCAL_MACHINE\\System\\MSTCP]\r\n"
              "\"DefaultTTL\"=\"32\"\r\n"
              "@=dword:0000026c\r\n"
              "\"Gone\"=-\r\n"
              "\r\n[-HKEY_CURRENT_USER\\Software\\New]\r\n"
              "\r\n[HKEY_CLASSES_ROOT\\Unknown\\shell]\r\n"
              "\"Flags\"=hex:70,01,00,20\r\n"
              "\r\n");
}

// Whatever a key holds comes back from the text byte for byte, however it must be spelt.
TEST(Regedit4, WrittenTextReadsBackAsTheSameOperations) {
    Bytes longBinary(200);
    for (std::size_t i = 0; i < longBinary.size(); ++i) longBinary[i] = static_cast<std::uint8_t>(i * 7);
    const std::vector<RegOp> ops = {
        key(Kind::CreateKey, kHkeyUsers, ".DEFAULT\\Empty"),
        value(kHkeyCurrentUser, "K", "quote \" and \\ back", kRegSz, {'a', '"', '\\', 'b', 0}),
        value(kHkeyCurrentUser, "K", "no terminator", kRegSz, {'x', 'y'}),
        value(kHkeyCurrentUser, "K", "inner NUL", kRegSz, {'x', 0, 'y', 0}),
        value(kHkeyCurrentUser, "K", "line break", kRegSz, {'x', '\r', '\n', 0}),
        value(kHkeyCurrentUser, "K", "no bytes", kRegSz, {}),
        value(kHkeyCurrentUser, "K", "empty text", kRegSz, {0}),
        value(kHkeyCurrentUser, "K", "short dword", kRegDword, {1, 2}),
        value(kHkeyCurrentUser, "K", "expand", kRegExpandSz, {'%', 'W', '%', 0}),
        value(kHkeyCurrentUser, "K", "none", kRegNone, {}),
        value(kHkeyCurrentUser, "K", "long", kRegBinary, longBinary),
        RegOp{Kind::DeleteValue, kHkeyCurrentUser, "K", "", 0, {}},
        key(Kind::DeleteKey, kHkeyLocalMachine, "A\\B"),
    };
    const std::string text = writeRegedit4(ops);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_LE(end - start, 80u) << "line: " << text.substr(start, end - start);
    std::vector<RegOp> expected;
    for (const RegOp& op : ops) {
        // A value line stands below its key's line, which the reader gives as its own operation.
        if ((op.kind == Kind::SetValue || op.kind == Kind::DeleteValue) &&
            (expected.empty() || expected.back().keyPath != op.keyPath || expected.back().root != op.root))
            expected.push_back(key(Kind::CreateKey, op.root, op.keyPath));
        expected.push_back(op);
    }
    EXPECT_EQ(parseRegedit4(text, "written.reg"), expected) << text;
}

}  // namespace
}  // namespace varnex::formats
