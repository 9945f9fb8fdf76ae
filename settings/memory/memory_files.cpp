#include "settings/memory/memory_files.h"

#include "settings/formats/format_error.h"
#include "settings/formats/szdd.h"
#include "settings/profile_store.h"

namespace varnex::settings {

namespace {
constexpr std::uint32_t kAttrNormal = 0x80;
bool isDriveRoot(const std::string& key) { return key.size() == 2 && key[1] == ':'; }
}  // namespace

MemoryFiles::MemoryFiles(std::string windowsDirectory, std::string currentDirectory)
    : windows_(std::move(windowsDirectory)), current_(std::move(currentDirectory)) {
  putFolder(windows_);
  putFolder(current_);
}

std::string MemoryFiles::keyOf(const std::string& path) {
  std::string key = upperCase(path);
  for (char& c : key)
    if (c == '/') c = '\\';
  while (key.size() > 2 && key.back() == '\\') key.pop_back();
  if (key.size() == 3 && key[1] == ':' && key[2] == '\\') key.pop_back();
  return key;
}

std::string MemoryFiles::parentOf(const std::string& key) {
  std::size_t cut = key.find_last_of('\\');
  return cut == std::string::npos ? std::string() : key.substr(0, cut);
}

bool MemoryFiles::parentExists(const std::string& key) const {
  std::string parent = parentOf(key);
  if (isDriveRoot(parent)) return true;
  auto it = entries_.find(parent);
  return it != entries_.end() && it->second.folder;
}

const MemoryFiles::Entry* MemoryFiles::find(const std::string& path) const {
  auto it = entries_.find(keyOf(path));
  return it == entries_.end() ? nullptr : &it->second;
}

std::uint32_t MemoryFiles::getFileAttributes(const std::string& path) {
  std::string key = keyOf(path);
  if (isDriveRoot(key)) return kAttrDirectory;
  const Entry* e = find(path);
  if (!e) return kInvalidFileAttributes;
  if (e->folder) return e->attributes | kAttrDirectory;
  return e->attributes == 0 ? kAttrNormal : e->attributes;
}

bool MemoryFiles::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  auto it = entries_.find(keyOf(path));
  if (it == entries_.end()) return false;
  it->second.attributes = attributes & ~(kAttrDirectory | kAttrNormal);
  return true;
}

bool MemoryFiles::findFirstFile(const std::string& path, std::uint32_t& attributes) {
  if (!find(path)) return false;
  attributes = getFileAttributes(path);
  return true;
}

bool MemoryFiles::createDirectory(const std::string& path) {
  std::string key = keyOf(path);
  if (isDriveRoot(key) || entries_.count(key) || !parentExists(key)) return false;
  entries_[key] = Entry{path, true, 0, {}};
  return true;
}

bool MemoryFiles::removeDirectory(const std::string& path) {
  std::string key = keyOf(path);
  auto it = entries_.find(key);
  if (it == entries_.end() || !it->second.folder) return false;
  auto inside = entries_.lower_bound(key + "\\");
  if (inside != entries_.end() && inside->first.rfind(key + "\\", 0) == 0) return false;
  entries_.erase(it);
  return true;
}

bool MemoryFiles::deleteFile(const std::string& path) {
  auto it = entries_.find(keyOf(path));
  if (it == entries_.end() || it->second.folder || (it->second.attributes & kAttrReadOnly)) return false;
  entries_.erase(it);
  return true;
}

int MemoryFiles::lzOpenFile(const std::string& path, std::uint16_t style) {
  if (style == kOfCreate) {
    if (!writeFile(path, "")) return -1;
  } else {
    const Entry* e = find(path);
    if (!e || e->folder) return -1;
  }
  int handle = nextLz_++;
  lzHandles_[handle] = LzHandle{path, style == kOfCreate};
  return handle;
}

long MemoryFiles::lzCopy(int source, int destination) {
  auto from = lzHandles_.find(source);
  auto to = lzHandles_.find(destination);
  if (from == lzHandles_.end() || to == lzHandles_.end() || !to->second.write) return -1;
  std::optional<std::string> bytes = readFile(from->second.path);
  if (!bytes) return -1;
  std::string out = *bytes;
  std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size());
  if (formats::isSzdd(data)) {
    try {
      std::vector<std::uint8_t> expanded = formats::expandSzdd(data, from->second.path);
      out.assign(expanded.begin(), expanded.end());
    } catch (const formats::FormatError&) {
      return -1;  // LZERROR_READ: nothing written, as the real expander leaves a bad file
    }
  }
  if (!writeFile(to->second.path, out)) return -1;
  return static_cast<long>(out.size());
}

void MemoryFiles::lzClose(int handle) { lzHandles_.erase(handle); }

void MemoryFiles::putFolder(const std::string& path) {
  std::string key = keyOf(path);
  if (isDriveRoot(key) || key.empty()) return;
  std::size_t cut = path.find_last_of("\\/");
  putFolder(path.substr(0, cut == std::string::npos ? 0 : cut));
  auto it = entries_.find(key);
  if (it != entries_.end() && it->second.folder) return;
  std::string shown = path;
  while (shown.size() > 3 && (shown.back() == '\\' || shown.back() == '/')) shown.pop_back();
  entries_[key] = Entry{shown, true, 0, {}};
}

void MemoryFiles::putFile(const std::string& path, const std::string& bytes, std::uint32_t attributes) {
  std::string key = keyOf(path);
  std::string parent = parentOf(key);
  if (!parent.empty()) putFolder(path.substr(0, path.find_last_of("\\/")));
  entries_[key] = Entry{path, false, attributes, bytes};
}

bool MemoryFiles::writeFile(const std::string& path, const std::string& bytes) {
  std::string key = keyOf(path);
  auto it = entries_.find(key);
  if (it != entries_.end()) {
    if (it->second.folder || (it->second.attributes & kAttrReadOnly)) return false;
    it->second.bytes = bytes;
    return true;
  }
  if (!parentExists(key)) return false;
  entries_[key] = Entry{path, false, kAttrArchive, bytes};
  return true;
}

std::optional<std::string> MemoryFiles::readFile(const std::string& path) const {
  const Entry* e = find(path);
  if (!e || e->folder) return std::nullopt;
  return e->bytes;
}

bool MemoryFiles::isFolder(const std::string& path) const {
  std::string key = keyOf(path);
  if (isDriveRoot(key)) return true;
  const Entry* e = find(path);
  return e && e->folder;
}

std::vector<std::string> MemoryFiles::list() const {
  std::vector<std::string> paths;
  for (const auto& [key, e] : entries_) paths.push_back(e.path);
  return paths;
}

}  // namespace varnex::settings
