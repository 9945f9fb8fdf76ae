// Profile text from anywhere: the fixture check must either accept or name a line, and the
// profile functions over it must stay in bounds and keep what they write.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "settings/memory/ini_text.h"
#include "settings/memory/memory_machine.h"

using namespace varnex::settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  try {
    validateIniText(text, "fuzz.ini");
  } catch (const std::runtime_error& e) {
    if (std::string(e.what()).rfind("fuzz.ini: line ", 0) != 0) std::abort();
  }

  MemoryMachine machine;
  machine.files.putFile("C:\\FUZZ.INI", text);
  const std::string section = size > 0 ? std::string(1, static_cast<char>('A' + data[0] % 4)) : "A";
  const std::string entry = size > 1 ? std::string(1, static_cast<char>('a' + data[1] % 4)) : "a";
  for (std::uint32_t bufferSize : {0u, 1u, 2u, 3u, 16u, 2048u}) {
    std::string buffer(bufferSize + 8, '\x7f');
    std::uint32_t n = machine.profiles.getString(section, &entry, "def", buffer.data(), bufferSize, "C:\\FUZZ.INI");
    if (bufferSize > 0 && n >= bufferSize) std::abort();
    n = machine.profiles.getString(section, nullptr, "", buffer.data(), bufferSize, "C:\\FUZZ.INI");
    if (bufferSize > 0 && n >= bufferSize) std::abort();
    for (std::size_t i = bufferSize; i < buffer.size(); ++i)
      if (buffer[i] != '\x7f') std::abort();  // wrote past the buffer
  }

  const std::string value = "v" + std::to_string(size);
  machine.profiles.writeString(section, entry, &value, "C:\\FUZZ.INI");
  char out[64];
  machine.profiles.getString(section, &entry, "", out, sizeof out, "C:\\FUZZ.INI");
  if (value != out) std::abort();
  machine.profiles.writeString(section, entry, nullptr, "C:\\FUZZ.INI");
  machine.profiles.getString(section, &entry, "gone", out, sizeof out, "C:\\FUZZ.INI");
  if (value == out) std::abort();  // the entry we wrote survived its deletion
  return 0;
}
