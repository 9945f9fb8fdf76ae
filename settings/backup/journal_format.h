#pragma once
// The journal of a pass, Journal.txt in its backup folder, written one line ahead of each change:
// a header, one line per change with the state it replaces, a line after a change the system
// refused, and a last line when the pass ended. Each line is numbered and ends in a checksum, so
// a reader tells the record a stopped pass cut short (its change was never made) from lines lost
// or spoilt later. The checksum is the CRC-32 of the line before " #", in eight hex digits.
// Texts are quoted, with %XX for '%', '"' and control characters:
//
//   Varnex 2000 journal 1
//   1 value HKCU "Control Panel\Desktop" "MenuShowDelay" sz:"400" sz:"0" #<crc32>
//   2 entry "C:\MSDOS.SYS" "Options" "BootKeys" none "0" #<crc32>
//   3 file-deleted "C:\WINDOWS\Desktop\Varnex 2000.lnk" "Files\1 Varnex 2000.lnk" 32 #<crc32>
//   4 not-made #<crc32>
//   5 end #<crc32>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/backup/changes.h"

namespace varnex::settings {

inline const std::string kJournalFile = "Journal.txt";
inline const std::string kJournalHeader = "Varnex 2000 journal 1";

// Each line with its CR LF; number counts the lines after the header from 1.
std::string journalHeaderLine();
std::string journalLine(unsigned number, const Change& change);
std::string notMadeLine(unsigned number);  // the change of the line before was not made
std::string endLine(unsigned number);

struct JournalReading {
  std::vector<Change> changes;  // those made, in order
  bool ended = false;           // the pass reached its end
  bool cut = false;             // the record being written when the pass stopped was dropped
  // What makes the journal untrustworthy ("line 7: bad checksum"); then changes is empty.
  std::optional<std::string> damage;
};

JournalReading readJournal(std::string_view text);

}  // namespace varnex::settings
