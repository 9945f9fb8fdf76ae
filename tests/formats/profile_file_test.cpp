#include "settings/formats/profile_file.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "settings/formats/format_error.h"

namespace varnex::formats {
namespace {

const std::string kHead = "[Varnex 2000 Profile]\r\nVersion=1\r\n";

std::string parseError(const std::string& text) {
    try {
        parseProfile(text, "room.ini");
    } catch (const FormatError& e) {
        return e.what();
    }
    return "<accepted>";
}

TEST(ProfileFile, ReadsSectionsAndEntriesWithTheirLines) {
    const std::string text =
        "\xEF\xBB\xBF"
        "; written by hand\n"
        "[varnex 2000 profile]\n"
        "version = 1\n"
        "\n"
        "[Boot]\r\n"
        "  Disable Boot Function Keys =  on \r\n"
        "\tBoot menu delay=5\r\n"
        "[System]\n"
        "Change Windows Owner - Name=\"  Jane  \"\n"
        "Change Windows Owner - Organization=a=b; not a comment\n"
        "Quote=\"\n"
        "Empty=\n"
        "[Varnex]";
    const ProfileFile profile = parseProfile(text, "room.ini");
    ASSERT_EQ(profile.sections.size(), 3u);
    const ProfileSection& boot = profile.sections[0];
    EXPECT_EQ(boot.name, "Boot");
    EXPECT_EQ(boot.line, 5u);
    ASSERT_EQ(boot.entries.size(), 2u);
    EXPECT_EQ(boot.entries[0].name, "Disable Boot Function Keys");
    EXPECT_EQ(boot.entries[0].value, "on");
    EXPECT_EQ(boot.entries[0].line, 6u);
    EXPECT_EQ(boot.entries[1].value, "5");
    const ProfileSection& system = profile.sections[1];
    ASSERT_EQ(system.entries.size(), 4u);
    EXPECT_EQ(system.entries[0].value, "  Jane  ");
    EXPECT_EQ(system.entries[1].value, "a=b; not a comment");
    EXPECT_EQ(system.entries[2].value, "\"");
    EXPECT_EQ(system.entries[3].value, "");
    EXPECT_EQ(system.entries[3].line, 12u);
    EXPECT_TRUE(profile.sections[2].entries.empty());
}

TEST(ProfileFile, RefusesWhatIsNotAProfileNamingTheLine) {
    struct Case {
        const char* what;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"empty file", "", "room.ini: line 1: a profile begins with [Varnex 2000 Profile]"},
        {"only comments", "; nothing\r\n\r\n", "room.ini: line 1: a profile begins with [Varnex 2000 Profile]"},
        {"another INI file", "[Options]\r\nBootGUI=1\r\n", "room.ini: line 1: a profile begins with [Varnex 2000 Profile]"},
        {"entry before the header", "Version=1\r\n" + kHead, "room.ini: line 1: a profile begins with"},
        {"header without version", "[Varnex 2000 Profile]\r\n[Boot]\r\n", "room.ini: line 1: the header has no Version line"},
        {"header alone without version", "[Varnex 2000 Profile]\r\n", "room.ini: line 1: the header has no Version line"},
        {"unknown version", "[Varnex 2000 Profile]\r\nVersion=2\r\n", "room.ini: line 2: version \"2\" is not known"},
        {"version not a number", "[Varnex 2000 Profile]\r\nVersion=one\r\n", "room.ini: line 2: version \"one\""},
        {"version twice", kHead + "Version=1\r\n", "room.ini: line 3: \"Version\" is already named on line 2"},
        {"other header entry", kHead + "Author=me\r\n", "room.ini: line 3: \"Author\" is not known in [Varnex 2000 Profile]"},
        {"not name=value", kHead + "[Boot]\r\nDisable Boot Function Keys on\r\n",
         "room.ini: line 4: \"Disable Boot Function Keys on\" is not name=value"},
        {"no name", kHead + "[Boot]\r\n = on\r\n", "room.ini: line 4: \"= on\" has no name before '='"},
        {"unclosed section", kHead + "[Boot\r\n", "room.ini: line 3: \"[Boot\" is not a section"},
        {"empty section name", kHead + "[  ]\r\n", "room.ini: line 3: a section needs a name"},
        {"section twice", kHead + "[Boot]\r\n[System]\r\n[BOOT]\r\n", "room.ini: line 5: [BOOT] was already begun on line 3"},
        {"header twice", kHead + "[Varnex 2000 Profile]\r\n", "room.ini: line 3: [Varnex 2000 Profile] was already begun on line 1"},
        {"name twice", kHead + "[Boot]\r\nLogo=on\r\nlogo = off\r\n", "room.ini: line 5: \"logo\" is already named on line 4"},
        {"NUL byte", kHead + "[Boot]\r\nLogo=o" + std::string(1, '\0') + "n\r\n",
         "room.ini: line 4: holds the control character 0x00"},
        {"lone carriage return", kHead + "[Boot]\rLogo=on\r\n", "room.ini: line 3: holds the control character 0x0D"},
        {"escape in a comment", kHead + "; \x1b[2J\r\n", "room.ini: line 3: holds the control character 0x1B"},
        {"too large", kHead + std::string(kMaxProfileBytes, ';'), "room.ini: larger than 256 KB"},
    };
    for (const Case& c : cases) {
        const std::string error = parseError(c.text);
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << c.what << ": " << error;
    }
}

TEST(ProfileFile, LongLinesAreQuotedShortInMessages) {
    const std::string error = parseError(kHead + "[Boot]\r\n" + std::string(500, 'x') + "\r\n");
    EXPECT_EQ(error, "room.ini: line 4: \"" + std::string(40, 'x') + "...\" is not name=value");
}

TEST(ProfileFile, WrittenTextReadsBackAsItWas) {
    ProfileFile profile;
    profile.notes = {"Saved on C:\\ by hand"};
    profile.sections = {
        {0, "Boot", {{0, "Disable Boot Function Keys", "on", false}, {0, "", "Boot menu delay is not named", true}}},
        {0, "System",
         {{0, "Change Windows Owner - Name", " Jane ", false},
          {0, "Change Windows Owner - Organization", "\"Quoted\"", false},
          {0, "Lone", "\"", false},
          {0, "Empty", "", false},
          {0, "Shortcut without \"Shortcut to\"", "off", false}}},
        {0, "Internet #1", {}},
    };
    const std::string text = writeProfile(profile);
    EXPECT_EQ(text.substr(0, kHead.size()), kHead);
    EXPECT_NE(text.find("\r\n; Saved on C:\\ by hand\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n; Boot menu delay is not named\r\n"), std::string::npos);
    EXPECT_NE(text.find("Change Windows Owner - Name=\" Jane \"\r\n"), std::string::npos);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        EXPECT_EQ(text[at - 1], '\r') << "every line ends with CR LF";

    const ProfileFile back = parseProfile(text, "saved.ini");
    ASSERT_EQ(back.sections.size(), profile.sections.size());
    for (std::size_t s = 0; s < back.sections.size(); ++s) {
        EXPECT_EQ(back.sections[s].name, profile.sections[s].name);
        std::vector<ProfileEntry> named;
        for (const ProfileEntry& e : profile.sections[s].entries)
            if (!e.note) named.push_back(e);
        ASSERT_EQ(back.sections[s].entries.size(), named.size()) << back.sections[s].name;
        for (std::size_t e = 0; e < named.size(); ++e) {
            EXPECT_EQ(back.sections[s].entries[e].name, named[e].name);
            EXPECT_EQ(back.sections[s].entries[e].value, named[e].value) << named[e].name;
        }
    }
}

TEST(ProfileFile, WriterRefusesWhatWouldNotReadBack) {
    const std::pair<const char*, ProfileEntry> cases[] = {
        {"name with '='", {0, "a=b", "on", false}},
        {"name beginning a section", {0, "[Boot]", "on", false}},
        {"name beginning a comment", {0, ";x", "on", false}},
        {"padded name", {0, "Change Windows Owner ", "on", false}},
        {"empty name", {0, "", "on", false}},
        {"line break in a value", {0, "Name", "Jane\r\nDoe", false}},
        {"line break in a note", {0, "", "two\nlines", true}},
    };
    for (const auto& [what, entry] : cases) {
        ProfileFile profile;
        profile.sections = {{0, "System", {entry}}};
        EXPECT_THROW(writeProfile(profile), Error) << what;
    }
}

}  // namespace
}  // namespace varnex::formats
