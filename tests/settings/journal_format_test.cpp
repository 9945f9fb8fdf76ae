// The journal a pass writes ahead of its changes: every change reads back as written, whatever
// its texts hold; a record cut off by a stop is dropped, and lines lost or spoilt later make the
// journal damaged rather than silently shorter.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "settings/backup/journal_format.h"

namespace varnex::settings {
namespace {

RegValue text(std::uint32_t type, const std::string& s) {
  RegValue v{type, std::vector<std::uint8_t>(s.begin(), s.end())};
  v.data.push_back(0);
  return v;
}

RegistryChange value(RegHandle root, std::string key, std::string name, std::optional<RegValue> before,
                     std::optional<RegValue> after) {
  RegistryChange c;
  c.root = root;
  c.key = std::move(key);
  c.name = std::move(name);
  c.before = std::move(before);
  c.after = std::move(after);
  return c;
}

std::string journalOf(const std::vector<Change>& changes, bool ended) {
  std::string text = journalHeaderLine();
  unsigned n = 0;
  for (const Change& c : changes) text += journalLine(++n, c);
  if (ended) text += endLine(++n);
  return text;
}

TEST(JournalFormat, EveryKindOfChangeReadsBackAsWritten) {
  const std::string awkward = "a \"quoted\" 100% value\twith\r\nbreaks, \x01 and \xE9t\xE9";
  KeySnapshot tree{"Directory\\shell\\DOS",
                   {{"", text(kRegSz, "Command Prompt")}, {"Flags", RegValue{kRegNone, {1, 2, 3}}}},
                   {KeySnapshot{"Directory\\shell\\DOS\\command",
                                {{"", text(kRegSz, awkward)}},
                                {KeySnapshot{"Directory\\shell\\DOS\\command\\deeper", {}, {}}}},
                    KeySnapshot{"Directory\\shell\\DOS\\other key", {{"x", RegValue{kRegDword, {1, 0, 0, 0}}}}, {}}}};
  RegistryChange deleted;
  deleted.kind = RegistryChange::Kind::KeyDeleted;
  deleted.root = kHkeyClassesRoot;
  deleted.key = tree.path;
  deleted.deleted = tree;
  RegistryChange made;
  made.kind = RegistryChange::Kind::KeyCreated;
  made.root = kHkeyLocalMachine;
  made.key = "Software\\Brand New";

  const std::vector<Change> changes = {
      value(kHkeyCurrentUser, "Control Panel\\Desktop", "MenuShowDelay", text(kRegSz, "400"), text(kRegSz, awkward)),
      value(kHkeyLocalMachine, "System\\x", "Count", std::nullopt, RegValue{kRegDword, {0x1f, 0, 0, 0xff}}),
      value(kHkeyUsers, "", "", text(kRegExpandSz, "%SystemRoot%"), RegValue{kRegBinary, {}}),
      value(kHkeyCurrentUser, "k", "with NUL", RegValue{kRegSz, {'a', 0, 'b', 0}}, std::nullopt),
      value(kHkeyCurrentUser, "k", "odd type", RegValue{0x12345678, {0xde, 0xad}}, RegValue{kRegDword, {1, 2, 3}}),
      made,
      deleted,
      ProfileChange{"C:\\MSDOS.SYS", "Options", "BootKeys", std::nullopt, "0"},
      ProfileChange{"SYSTEM.INI", "386Enh", "a=b", "", std::nullopt},
      ProfileChange{"SYSTEM.INI", "vcache", "Chunk", awkward, "1 2 3"},
      FileChange{FileChange::Kind::FileCreated, "C:\\WINDOWS\\Desktop\\Varnex 2000.lnk", "", 0, 0},
      FileChange{FileChange::Kind::FileReplaced, "C:\\x\\Uninstall.lnk", "Files\\1 Uninstall.lnk", 0, 0},
      FileChange{FileChange::Kind::FileDeleted, "C:\\x\\\"odd\" name.lnk", "Files\\2 \"odd\" name.lnk", 0x23, 0},
      FileChange{FileChange::Kind::FolderCreated, "C:\\WINDOWS\\Start Menu\\Programs\\Varnex 2000", "", 0, 0},
      FileChange{FileChange::Kind::FolderRemoved, "C:\\WINDOWS\\Start Menu\\Empty", "", 0x12, 0},
      FileChange{FileChange::Kind::AttributesChanged, "C:\\MSDOS.SYS", "", 0x27, 0x20},
  };
  const JournalReading reading = readJournal(journalOf(changes, true));
  ASSERT_EQ(reading.damage, std::nullopt);
  EXPECT_TRUE(reading.ended);
  EXPECT_FALSE(reading.cut);
  ASSERT_EQ(reading.changes.size(), changes.size());
  for (std::size_t i = 0; i < changes.size(); ++i)
    EXPECT_TRUE(reading.changes[i] == changes[i]) << "change " << i << ": " << journalLine(1, changes[i]);
}

TEST(JournalFormat, ALineIsOneLineAPersonCanRead) {
  const std::string written = journalLine(7, value(kHkeyCurrentUser, "Control Panel\\Desktop", "MenuShowDelay",
                                                    text(kRegSz, "400"), RegValue{kRegDword, {0, 1, 0, 0}}));
  const std::string shape = "7 value HKCU \"Control Panel\\Desktop\" \"MenuShowDelay\" sz:\"400\" dword:00000100 #";
  EXPECT_EQ(written.substr(0, shape.size()), shape);
  const std::string line = journalLine(1, ProfileChange{"SYSTEM.INI", "a", "b", "say \"hi\"\r\n", std::nullopt});
  EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
  EXPECT_NE(line.find("\"say %22hi%22%0D%0A\" none #"), std::string::npos) << line;
}

// What a reader makes of journals cut short, spoilt or put together wrongly.
TEST(JournalFormat, ACutRecordIsDroppedWhileLostOrSpoiltLinesAreDamage) {
  const Change a = value(kHkeyCurrentUser, "k", "a", std::nullopt, text(kRegSz, "1"));
  const Change b = ProfileChange{"C:\\MSDOS.SYS", "Options", "Logo", "1", "0"};
  const Change c = FileChange{FileChange::Kind::FolderCreated, "C:\\new", "", 0, 0};
  const std::string header = journalHeaderLine();
  const std::string l1 = journalLine(1, a), l2 = journalLine(2, b), l3 = journalLine(3, c);
  auto spoil = [](std::string line) {
    line[4] = line[4] == 'x' ? 'y' : 'x';
    return line;
  };
  struct Case {
    const char* what;
    std::string text;
    std::size_t changes;  // made, read
    bool ended, cut;
    const char* damage;  // the start of what the reader says, or nothing
  };
  const Case cases[] = {
      {"a finished pass", header + l1 + l2 + endLine(3), 2, true, false, nullptr},
      {"a pass that stopped between two changes", header + l1 + l2, 2, false, false, nullptr},
      {"a pass that stopped before its first change", header, 0, false, false, nullptr},
      {"an empty journal", "", 0, false, false, nullptr},
      {"the header cut", header.substr(0, 7), 0, false, true, nullptr},
      {"the last record cut", header + l1 + l2.substr(0, l2.size() / 2), 1, false, true, nullptr},
      {"the last record without its line end", header + l1 + l2.substr(0, l2.size() - 2), 1, false, true, nullptr},
      {"the last record spoilt by the cut", header + l1 + spoil(l2), 1, false, true, nullptr},
      {"a cut record and garbage after it", header + l1 + spoil(l2) + "\x00\x00\r\n\x7f" + "zz", 1, false, true, nullptr},
      {"the end line cut", header + l1 + l2 + endLine(3).substr(0, 4), 2, false, true, nullptr},
      {"a change the system refused", header + l1 + notMadeLine(2) + journalLine(3, c), 1, false, false, nullptr},
      {"a line spoilt in the middle", header + l1 + spoil(l2) + l3, 0, false, false, "line 3: the line is spoilt"},
      {"a line lost in the middle", header + l1 + l3, 0, false, false, "line 3: lines are missing before it"},
      {"lines after the end", header + l1 + endLine(2) + journalLine(3, c), 0, true, false,
       "line 4: text after the end of the pass"},
      {"a refusal before any change", header + notMadeLine(1), 0, false, false, "line 2: \"not-made\" without"},
      {"two refusals of one change", header + l1 + notMadeLine(2) + notMadeLine(3), 0, false, false,
       "line 4: \"not-made\" without"},
      {"another file", "REGEDIT4\r\n\r\n", 0, false, false, "line 1: not a journal of Varnex 2000"},
  };
  for (const Case& k : cases) {
    const JournalReading reading = readJournal(k.text);
    if (k.damage) {
      ASSERT_TRUE(reading.damage.has_value()) << k.what;
      EXPECT_EQ(reading.damage->rfind(k.damage, 0), 0u) << k.what << ": " << *reading.damage;
      EXPECT_TRUE(reading.changes.empty()) << k.what << ": a damaged journal undoes nothing";
      continue;
    }
    EXPECT_EQ(reading.damage, std::nullopt) << k.what;
    EXPECT_EQ(reading.changes.size(), k.changes) << k.what;
    EXPECT_EQ(reading.ended, k.ended) << k.what;
    EXPECT_EQ(reading.cut, k.cut) << k.what;
  }
}

// A line with its number and checksum, as the writer ends every line.
std::string soundLine(const std::string& content) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char ch : content) {
    c ^= ch;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
  }
  char sum[9];
  std::snprintf(sum, sizeof sum, "%08x", static_cast<unsigned>(c ^ 0xFFFFFFFFu));
  return content + " #" + sum + "\r\n";
}

// A line whose checksum holds but whose body is not one this program writes cannot be a cut
// record: it is damage, named by its line.
TEST(JournalFormat, AWellSummedLineThatIsNoChangeIsDamage) {
  EXPECT_EQ(soundLine("1 end"), endLine(1)) << "the test sums lines as the writer does";
  const std::string contents[] = {
      "1 moved \"C:\\x\"",                                 // no such change
      "1 value HKXX \"k\" \"n\" none none",                // no such root
      "1 value HKCU \"k\" \"n\" sz:\"a\"",                 // a value missing
      "1 value HKCU \"k\\\\x\" \"n\" none none",            // an empty key name in the path
      "1 value HKCU \"k\" \"n\" dword:123 none",            // a short dword
      "1 value HKCU \"k\" \"n\" hex(3):0g none",            // not hex
      "1 value HKCU \"k\" \"n\" hex(3):01, none",           // a trailing comma
      "1 key-made HKCU \"\"",                               // the root itself
      "1 key-deleted HKCU \"k\" subkey \"a\\b\"",           // a subkey before its parent
      "1 key-deleted HKCU \"k\" subkey \"a\" subkey \"A\"",  // the same subkey twice
      "1 entry \"SYSTEM.INI\" \"s\" \"e\" \"a%2\" none",     // a broken escape
      "1 file-deleted \"C:\\x\" \"Files\\1 x\"",            // no attributes
      "1 attributes \"C:\\x\" 32 0x20",                     // not a number
      "1 folder-made \"C:\\x\" ",                           // a trailing space
      "01 folder-made \"C:\\x\"",                           // a number with a leading zero
  };
  for (const std::string& content : contents) {
    const JournalReading reading = readJournal(journalHeaderLine() + soundLine(content) + endLine(2));
    ASSERT_TRUE(reading.damage.has_value()) << content;
    EXPECT_EQ(reading.damage->rfind("line 2: ", 0), 0u) << content << ": " << *reading.damage;
  }
}

}  // namespace
}  // namespace varnex::settings
