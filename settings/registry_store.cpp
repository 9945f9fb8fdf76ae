#include "settings/registry_store.h"

#include <vector>

#include "settings/store_error.h"

namespace varnex::settings {

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    reset();
    api_ = other.api_;
    handle_ = other.handle_;
    other.handle_ = 0;
  }
  return *this;
}

void RegKey::reset() {
  if (handle_ != 0 && api_ != nullptr) api_->closeKey(handle_);
  handle_ = 0;
}

void RegistryStore::setRoot(RegHandle root) {
  open_.reset();
  root_ = root;
}

RegHandle RegistryStore::baseFor(const std::string& path, std::string& relative) const {
  if (!path.empty() && path.front() == '\\') {
    relative = path.substr(1);
    return root_;
  }
  relative = path;
  return open_ ? open_.get() : root_;
}

bool RegistryStore::openKey(const std::string& path, bool create) {
  std::string relative;
  RegHandle base = baseFor(path, relative);
  RegHandle handle = 0;
  long rc = create ? api_.createKey(base, relative, handle) : api_.openKey(base, relative, handle);
  if (rc != kErrorSuccess) return false;
  open_ = RegKey(api_, handle);
  return true;
}

bool RegistryStore::keyExists(const std::string& path) {
  std::string relative;
  RegHandle base = baseFor(path, relative);
  RegHandle handle = 0;
  if (api_.openKey(base, relative, handle) != kErrorSuccess) return false;
  RegKey probe(api_, handle);
  return true;
}

bool RegistryStore::valueExists(const std::string& name) {
  if (!open_) return false;
  std::uint32_t type = 0, size = 0;
  return api_.queryValue(open_.get(), name, &type, nullptr, &size) == kErrorSuccess;
}

namespace {

// Fetches a value's type and bytes; false when it does not exist.
bool fetch(RegistryApi& api, RegHandle key, const std::string& name, std::uint32_t& type,
           std::vector<std::uint8_t>& data) {
  std::uint32_t size = 0;
  long rc = api.queryValue(key, name, &type, nullptr, &size);
  if (rc == kErrorFileNotFound) return false;
  if (rc != kErrorSuccess) throw StoreError(failedToGetData(name));
  data.assign(size, 0);
  if (size > 0 && api.queryValue(key, name, &type, data.data(), &size) != kErrorSuccess)
    throw StoreError(failedToGetData(name));
  data.resize(size);
  return true;
}

}  // namespace

std::string RegistryStore::readText(const std::string& name) {
  if (!open_) return "";
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (!fetch(api_, open_.get(), name, type, data)) return "";
  if (type != kRegSz && type != kRegExpandSz) throw StoreError(invalidDataType(name));
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

std::uint32_t RegistryStore::readInteger(const std::string& name) {
  if (!open_) throw StoreError(failedToGetData(name));
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (!fetch(api_, open_.get(), name, type, data)) throw StoreError(failedToGetData(name));
  if (type != kRegDword) throw StoreError(invalidDataType(name));
  if (data.size() > 4) throw StoreError(failedToGetData(name));
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < data.size(); ++i) value |= std::uint32_t{data[i]} << (8 * i);
  return value;
}

void RegistryStore::readBinary(const std::string& name, std::uint32_t& cell) {
  if (!open_) return;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (!fetch(api_, open_.get(), name, type, data)) return;
  if (type == kRegSz || type == kRegExpandSz || type == kRegDword)
    throw StoreError(invalidDataType(name));
  if (data.size() > 4) throw StoreError(failedToGetData(name));
  for (std::size_t i = 0; i < data.size(); ++i) {
    cell &= ~(std::uint32_t{0xFF} << (8 * i));
    cell |= std::uint32_t{data[i]} << (8 * i);
  }
}

void RegistryStore::write(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) {
  if (!open_ || api_.setValue(open_.get(), name, type, data, size) != kErrorSuccess)
    throw StoreError(failedToSetData(name));
}

void RegistryStore::writeText(const std::string& name, const std::string& value) {
  std::string stored = value.substr(0, value.find('\0'));
  write(name, kRegSz, reinterpret_cast<const std::uint8_t*>(stored.c_str()),
        static_cast<std::uint32_t>(stored.size() + 1));
}

namespace {
void littleEndian(std::uint32_t value, std::uint8_t (&bytes)[4]) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
}  // namespace

void RegistryStore::writeInteger(const std::string& name, std::uint32_t value) {
  std::uint8_t bytes[4];
  littleEndian(value, bytes);
  write(name, kRegDword, bytes, 4);
}

void RegistryStore::writeBinary(const std::string& name, std::uint32_t value) {
  std::uint8_t bytes[4];
  littleEndian(value, bytes);
  write(name, kRegBinary, bytes, 4);
}

bool RegistryStore::deleteValue(const std::string& name) {
  return open_ && api_.deleteValue(open_.get(), name) == kErrorSuccess;
}

bool RegistryStore::deleteTree(RegHandle base, const std::string& relative) {
  RegHandle handle = 0;
  if (api_.openKey(base, relative, handle) == kErrorSuccess) {
    RegKey key(api_, handle);
    std::uint32_t count = 0, longest = 0;
    if (api_.queryInfoKey(key.get(), count, longest) == kErrorSuccess) {
      std::vector<char> name(longest + 1);
      for (std::uint32_t i = count; i-- > 0;) {
        std::uint32_t length = static_cast<std::uint32_t>(name.size());
        if (api_.enumKey(key.get(), i, name.data(), length) != kErrorSuccess) continue;
        deleteTree(key.get(), std::string(name.data(), length));
      }
    }
  }
  return api_.deleteKey(base, relative) == kErrorSuccess;
}

bool RegistryStore::deleteKey(const std::string& path) {
  std::string relative;
  RegHandle base = baseFor(path, relative);
  // Never let an empty path turn into "delete the key I stand on".
  if (relative.empty()) return false;
  return deleteTree(base, relative);
}

std::vector<std::string> RegistryStore::keyNames() {
  std::vector<std::string> names;
  if (!open_) return names;
  std::uint32_t count = 0, longest = 0;
  if (api_.queryInfoKey(open_.get(), count, longest) != kErrorSuccess) return names;
  std::vector<char> name(longest + 1);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t length = static_cast<std::uint32_t>(name.size());
    if (api_.enumKey(open_.get(), i, name.data(), length) != kErrorSuccess) continue;
    names.emplace_back(name.data(), length);
  }
  return names;
}

}  // namespace varnex::settings
