#include "tests/support/machine_dump.h"

#include "settings/formats/regedit4.h"
#include "settings/profile_store.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <set>
#include <vector>

namespace varnex::testing {

namespace {

using KeyVisitor = std::function<void(settings::RegHandle, const std::string& path)>;

// Calls visit for key and every key below it, parents before their children.
void walkKeys(settings::RegistryApi& registry, settings::RegHandle key, const std::string& path,
              const KeyVisitor& visit) {
  visit(key, path);
  std::uint32_t count = 0, longest = 0;
  if (registry.queryInfoKey(key, count, longest) != settings::kErrorSuccess) return;
  std::vector<char> buffer(longest + 1);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t length = static_cast<std::uint32_t>(buffer.size());
    if (registry.enumKey(key, i, buffer.data(), length) != settings::kErrorSuccess) continue;
    const std::string child(buffer.data(), length);
    settings::RegHandle sub = 0;
    if (registry.openKey(key, child, sub) != settings::kErrorSuccess) continue;
    walkKeys(registry, sub, path.empty() ? child : path + "\\" + child, visit);
    registry.closeKey(sub);
  }
}

template <typename Visit>
void forEachValue(settings::RegistryApi& registry, settings::RegHandle key, Visit visit) {
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  for (std::uint32_t i = 0; registry.enumValue(key, i, name, type, data) == settings::kErrorSuccess; ++i)
    visit(name, type, data);
}

// A profile file's sections in file order, each with its lines sorted.
std::string byEntryText(const std::string& text) {
  std::string out;
  std::vector<std::string> section;
  auto flush = [&] {
    std::sort(section.begin(), section.end());
    for (const std::string& line : section) out += "    " + line + "\n";
    section.clear();
  };
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (!line.empty() && line.front() == '[') {
      flush();
      out += "  " + line + "\n";
    } else {
      section.push_back(line);
    }
  }
  flush();
  return out;
}

constexpr settings::RegHandle kRoots[] = {settings::kHkeyClassesRoot, settings::kHkeyCurrentUser,
                                          settings::kHkeyLocalMachine, settings::kHkeyUsers};

}  // namespace

std::string exportRegistry(settings::RegistryApi& registry) {
  std::vector<formats::RegOp> ops;
  for (settings::RegHandle root : kRoots) {
    const auto rootValue = static_cast<std::uint32_t>(root);
    walkKeys(registry, root, "", [&](settings::RegHandle key, const std::string& path) {
      if (!path.empty()) ops.push_back({formats::RegOp::Kind::CreateKey, rootValue, path});
      forEachValue(registry, key, [&](const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
        ops.push_back({formats::RegOp::Kind::SetValue, rootValue, path, name, type, data});
      });
    });
  }
  std::string out;
  for (char c : formats::writeRegedit4(ops))
    if (c != '\r') out += c;
  return out;
}

std::string dumpRegistry(settings::RegistryApi& registry) {
  const char* const names[] = {"HKCR", "HKCU", "HKLM", "HKU"};
  std::string out;
  for (int r = 0; r < 4; ++r) {
    walkKeys(registry, kRoots[r], names[r], [&](settings::RegHandle key, const std::string& path) {
      out += "[" + path + "]\n";
      forEachValue(registry, key, [&](const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
        out += "  \"" + name + "\" type " + std::to_string(type) + ":";
        char byte[4];
        for (std::uint8_t b : data) {
          std::snprintf(byte, sizeof byte, " %02x", b);
          out += byte;
        }
        out += "\n";
      });
    });
  }
  return out;
}

std::string dumpFiles(settings::MemoryFiles& files, const std::string& except) {
  return dumpFilesByEntry(files, {}, except);
}

std::string dumpFilesByEntry(settings::MemoryFiles& files, const std::vector<std::string>& profiles,
                             const std::string& except) {
  std::string out;
  for (const std::string& path : files.list()) {
    if (!except.empty() && path.size() >= except.size() &&
        settings::equalsIgnoringCase(path.substr(0, except.size()), except))
      continue;
    out += path + " attributes " + std::to_string(files.getFileAttributes(path));
    const std::optional<std::string> bytes = files.readFile(path);
    const bool byEntry = std::any_of(profiles.begin(), profiles.end(),
                                     [&](const std::string& p) { return settings::equalsIgnoringCase(p, path); });
    if (bytes && byEntry) {
      out += " profile\n" + byEntryText(*bytes);
      continue;
    }
    if (bytes) out += " bytes " + *bytes;
    out += "\n";
  }
  return out;
}

std::string differences(const std::string& before, const std::string& after) {
  auto lines = [](const std::string& text) {
    std::multiset<std::string> set;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      set.insert(text.substr(start, end - start));
      start = end + 1;
    }
    return set;
  };
  const std::multiset<std::string> a = lines(before), b = lines(after);
  std::vector<std::string> out;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  for (std::string& line : out) line = "- " + line;
  std::vector<std::string> added;
  std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::back_inserter(added));
  for (const std::string& line : added) out.push_back("+ " + line);
  std::string text;
  for (std::size_t i = 0; i < out.size() && i < 24; ++i) text += out[i].substr(0, 160) + "\n";
  return text;
}

}  // namespace varnex::testing
