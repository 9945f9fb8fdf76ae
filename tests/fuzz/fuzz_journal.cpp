// A backup's journal from anywhere (a disk that lost sectors, a person's editor): the reader must
// return without fault, undo nothing from a journal it calls damaged, and read the changes of a
// journal it accepts back unchanged once they are written again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/backup/journal_format.h"

using namespace varnex::settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const JournalReading reading = readJournal(text);
  if (reading.damage) {
    if (!reading.changes.empty() || reading.damage->rfind("line ", 0) != 0) std::abort();
    return 0;
  }
  std::string again = journalHeaderLine();
  unsigned number = 0;
  for (const Change& change : reading.changes) again += journalLine(++number, change);
  if (reading.ended) again += endLine(++number);
  const JournalReading back = readJournal(again);
  if (back.damage || back.cut || back.ended != reading.ended || back.changes != reading.changes) std::abort();
  return 0;
}
