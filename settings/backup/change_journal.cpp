#include "settings/backup/change_journal.h"


#include "base/number_text.h"
#include "settings/backup/backup_writer.h"
#include "settings/backup/journal_format.h"
#include "settings/profile_store.h"

namespace varnex::settings {

namespace {

std::string baseName(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string backupName(const LocalTime& t) {
  auto two = [](int v) { return digits(static_cast<std::uint32_t>(v % 100), 2); };
  return digits(static_cast<std::uint32_t>(t.year % 10000), 4) + "-" + two(t.month) + "-" + two(t.day) + " " +
         two(t.hour) + "-" + two(t.minute) + "-" + two(t.second);
}

std::string shownBackupTime(const std::string& name) {
  std::string time = name;
  if (time.size() >= 19) time[13] = time[16] = ':';
  return time;
}

std::string joinPath(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string fillIn(std::string text, const std::string& value) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

void ChangeJournal::begin(const std::string& programDirectory) {
  if (depth_++ > 0) return;
  ++passes_;
  programDirectory_ = programDirectory;
  folder_.clear();
  lines_ = copies_ = 0;
  made_ = failed_ = false;
  failure_.clear();
  announced_.reset();
  changes_.clear();
}

bool ChangeJournal::end() {
  if (depth_ == 0) return false;
  return --depth_ == 0;
}

void ChangeJournal::fail() {
  failed_ = true;
  failure_ = fillIn(changes_.empty() ? kBackupNotMadeText : kBackupStoppedText, folder_);
  throw BackupError(failure_);
}

void ChangeJournal::start() {
  if (failed_) throw BackupError(failure_);
  if (made_) return;
  const std::string root = joinPath(programDirectory_, kBackupFolder);
  folder_ = joinPath(root, newBackupName(root, backupName(platform_.localTime()), platform_));
  const std::uint32_t rootAttributes = files_.getFileAttributes(root);
  const bool rootMade = (rootAttributes != kInvalidFileAttributes && (rootAttributes & kAttrDirectory) != 0) ||
                        files_.createDirectory(root);
  if (!rootMade || !files_.createDirectory(folder_) ||
      !platform_.appendFile(joinPath(folder_, kJournalFile), journalHeaderLine()))
    fail();
  made_ = true;
}

void ChangeJournal::append(const std::string& line) {
  if (!platform_.appendFile(joinPath(folder_, kJournalFile), line)) fail();
  ++lines_;
}

void ChangeJournal::announce(Change change) {
  start();
  append(journalLine(lines_ + 1, change));
  announced_ = std::move(change);
}

void ChangeJournal::settle(bool made) {
  if (!announced_) return;
  Change change = std::move(*announced_);
  announced_.reset();
  if (made)
    changes_.add(change);
  else
    append(notMadeLine(lines_ + 1));
}

std::string ChangeJournal::keep(const std::string& path, const std::string& bytes) {
  start();
  const std::string files = joinPath(folder_, "Files");
  if (copies_ == 0 && !files_.createDirectory(files)) fail();
  const std::string copy = "Files\\" + std::to_string(copies_ + 1) + " " + baseName(path);
  if (!platform_.writeFile(joinPath(folder_, copy), bytes)) fail();
  ++copies_;
  return copy;
}

void ChangeJournal::keepProfile(const std::string& file, const std::string& path,
                                const std::optional<std::string>& bytes, bool missing) {
  start();
  ProfileCopy copy{file, path, missing ? ProfileCopy::State::Missing : ProfileCopy::State::Unreadable};
  if (bytes) {
    if (!platform_.writeFile(joinPath(folder_, baseName(path)), *bytes)) fail();
    copy.state = ProfileCopy::State::Copied;
  }
  changes_.addCopy(std::move(copy));
}

bool ChangeJournal::hasCopyOf(const std::string& file) const {
  for (const ProfileCopy& copy : changes_.copies())
    if (equalsIgnoringCase(copy.file, file)) return true;
  return false;
}

bool ChangeJournal::close() {
  // After a failed write the journal may end in a cut line; a line after it would make it damaged.
  if (!made_ || failed_) return false;
  if (platform_.appendFile(joinPath(folder_, kJournalFile), endLine(lines_ + 1))) {
    ++lines_;
    return true;
  }
  return false;
}

}  // namespace varnex::settings
