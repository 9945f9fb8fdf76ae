// The registry store's rules, run against every backend.
#include <map>

#include "tests/settings/contract/contract_fixture.h"

namespace varnex::settings::contract {
namespace {

using Bytes = std::vector<std::uint8_t>;

class RegistryContract : public StoreContract {};

TEST_F(RegistryContract, RelativePathsOpenBelowTheOpenKeyAndBackslashStartsAtTheRoot) {
  RegistryStore store(apis.registry);
  store.setRoot(kHkeyCurrentUser);
  ASSERT_TRUE(store.openKey(kScratchKey + "\\Explorer", true));
  ASSERT_TRUE(store.openKey("NotePad", true));
  store.writeText("Where", "below");
  EXPECT_TRUE(rawGet("Explorer\\NotePad", "Where").exists);

  ASSERT_TRUE(store.openKey("\\" + kScratchKey + "\\Other", true));
  store.writeText("Where", "root");
  EXPECT_TRUE(rawGet("Other", "Where").exists);
  EXPECT_FALSE(rawKeyExists("Explorer\\NotePad\\" + kScratchKey));
}

TEST_F(RegistryContract, FailedOpenKeepsTheOpenKeyAndAFailedFirstOpenLeavesNone) {
  rawSet("Kept", "V", kRegSz, {'x', 0});
  RegistryStore store(apis.registry);
  store.setRoot(kHkeyCurrentUser);
  EXPECT_FALSE(store.openKey("\\" + kScratchKey + "\\Missing", false));
  EXPECT_FALSE(store.hasOpenKey());
  EXPECT_EQ(store.readText("V"), "");
  EXPECT_EQ(errorOf([&] { store.writeText("V", "y"); }), "Failed to set data for 'V'");

  ASSERT_TRUE(store.openKey("\\" + kScratchKey + "\\Kept", false));
  EXPECT_FALSE(store.openKey("NoSuchChild", false));
  EXPECT_EQ(store.readText("V"), "x");
}

TEST_F(RegistryContract, KeyExistsProbesWithoutMovingTheOpenKey) {
  rawSet("A\\B", "V", kRegSz, {'b', 0});
  rawSet("A", "V", kRegSz, {'a', 0});
  RegistryStore store(apis.registry);
  store.setRoot(kHkeyCurrentUser);
  ASSERT_TRUE(store.openKey("\\" + kScratchKey + "\\A", false));
  EXPECT_TRUE(store.keyExists("B"));
  EXPECT_TRUE(store.keyExists("b"));  // key names ignore case
  EXPECT_FALSE(store.keyExists("C"));
  EXPECT_TRUE(store.keyExists("\\" + kScratchKey));
  EXPECT_EQ(store.readText("V"), "a");
}

TEST_F(RegistryContract, ValueExistsForAnyTypeAndIgnoresCase) {
  rawSet("", "Text", kRegSz, {'1', 0});
  rawSet("", "Number", kRegDword, {1, 0, 0, 0});
  rawSet("", "None", kRegNone, {});
  RegistryStore store = scratchStore();
  EXPECT_TRUE(store.valueExists("Text"));
  EXPECT_TRUE(store.valueExists("NUMBER"));
  EXPECT_TRUE(store.valueExists("None"));
  EXPECT_FALSE(store.valueExists("Absent"));
}

struct ReadCase {
  const char* what;
  std::uint32_t type;
  Bytes bytes;
  std::string text;   // expected readText, or the error
  std::string error;  // expected readText error ("" for none)
};

TEST_F(RegistryContract, TextReads) {
  const ReadCase cases[] = {
      {"REG_SZ", kRegSz, {'a', 'b', 0}, "ab", ""},
      {"REG_EXPAND_SZ", kRegExpandSz, {'%', 'x', '%', 0}, "%x%", ""},
      {"text ends at the first NUL", kRegSz, {'a', 0, 'b', 0}, "a", ""},
      {"REG_DWORD is unreadable", kRegDword, {1, 0, 0, 0}, "", "Invalid data type for 'V'"},
      {"REG_BINARY is unreadable", kRegBinary, {'a', 0}, "", "Invalid data type for 'V'"},
  };
  for (const ReadCase& c : cases) {
    rawSet("", "V", c.type, c.bytes);
    RegistryStore store = scratchStore();
    std::string got;
    std::string error = errorOf([&] { got = store.readText("V"); });
    EXPECT_EQ(error, c.error) << c.what;
    EXPECT_EQ(got, c.text) << c.what;
  }
  RegistryStore store = scratchStore();
  EXPECT_EQ(store.readText("Absent"), "") << "an absent value reads as empty text";
}

TEST_F(RegistryContract, IntegerReads) {
  struct Case {
    const char* what;
    std::uint32_t type;
    Bytes bytes;
    std::uint32_t value;
    std::string error;
  };
  const Case cases[] = {
      {"REG_DWORD", kRegDword, {0x78, 0x56, 0x34, 0x12}, 0x12345678u, ""},
      {"REG_SZ", kRegSz, {'1', 0}, 0, "Invalid data type for 'V'"},
      {"REG_BINARY", kRegBinary, {1, 0, 0, 0}, 0, "Invalid data type for 'V'"},
  };
  for (const Case& c : cases) {
    rawSet("", "V", c.type, c.bytes);
    RegistryStore store = scratchStore();
    std::uint32_t got = 0;
    EXPECT_EQ(errorOf([&] { got = store.readInteger("V"); }), c.error) << c.what;
    EXPECT_EQ(got, c.value) << c.what;
  }
  RegistryStore store = scratchStore();
  EXPECT_EQ(errorOf([&] { store.readInteger("Absent"); }), "Failed to get data for 'Absent'");
}

TEST_F(RegistryContract, BinaryReadsCopyOverTheLeadingBytesOfTheCell) {
  struct Case {
    const char* what;
    std::uint32_t type;
    Bytes bytes;
    std::uint32_t cellAfter;  // the cell starts at 0xAABBCCDD
    bool fails;
  };
  const Case cases[] = {
      {"4 bytes of REG_BINARY", kRegBinary, {0x70, 0x01, 0x00, 0x20}, 0x20000170u, false},
      {"2 bytes replace the two low bytes", kRegBinary, {0x11, 0x22}, 0xAABB2211u, false},
      {"no bytes change nothing", kRegBinary, {}, 0xAABBCCDDu, false},
      {"REG_NONE is read as binary", kRegNone, {1, 2, 3, 4}, 0x04030201u, false},
      {"5 bytes are unreadable", kRegBinary, {1, 2, 3, 4, 5}, 0xAABBCCDDu, true},
      {"REG_DWORD is unreadable", kRegDword, {1, 0, 0, 0}, 0xAABBCCDDu, true},
      {"REG_SZ is unreadable", kRegSz, {'1', 0}, 0xAABBCCDDu, true},
  };
  for (const Case& c : cases) {
    rawSet("", "V", c.type, c.bytes);
    RegistryStore store = scratchStore();
    std::uint32_t cell = 0xAABBCCDDu;
    std::string error = errorOf([&] { store.readBinary("V", cell); });
    EXPECT_EQ(!error.empty(), c.fails) << c.what << ": " << error;
    EXPECT_EQ(cell, c.cellAfter) << c.what;
  }
  RegistryStore store = scratchStore();
  std::uint32_t cell = 7;
  store.readBinary("Absent", cell);
  EXPECT_EQ(cell, 7u) << "an absent value keeps the cell";
}

// The forms a damaged registry may hold where a row reads: each reader either gives its value
// or reports the failure, the same on every backend; none reads past what it asked for.
TEST_F(RegistryContract, WrongFormsReadAsTheirValueOrAFailure) {
  struct Case {
    const char* what;
    std::uint32_t type;  // 0: a key of that name, no value
    Bytes bytes;
    std::string text;     // readText, or its error
    std::string integer;  // readInteger as decimal, or its error
    std::string binary;   // readBinary over 0xAABBCCDD as decimal, or its error
  };
  Bytes bigText(64 * 1024, '7');
  bigText.back() = 0;
  const std::string typeError = "Invalid data type for 'V'";
  const Case cases[] = {
      {"a 6-byte binary", kRegBinary, {1, 2, 3, 4, 5, 6}, typeError, typeError, "Failed to get data for 'V'"},
      {"an empty binary", kRegBinary, {}, typeError, typeError, std::to_string(0xAABBCCDDu)},
      {"a 64 KB text", kRegSz, bigText, std::string(64 * 1024 - 1, '7'), typeError, typeError},
      {"a 64 KB binary", kRegBinary, Bytes(64 * 1024, 1), typeError, typeError, "Failed to get data for 'V'"},
      {"a key in place of the value", 0, {}, "", "Failed to get data for 'V'", std::to_string(0xAABBCCDDu)},
  };
  for (const Case& c : cases) {
    if (c.type == 0) {
      rawSet("V", "Inside", kRegSz, {'x', 0});
    } else {
      rawSet("", "V", c.type, c.bytes);
    }
    RegistryStore store = scratchStore();
    std::string text, integer, binary;
    if (std::string e = errorOf([&] { text = store.readText("V"); }); !e.empty()) text = e;
    if (std::string e = errorOf([&] { integer = std::to_string(store.readInteger("V")); }); !e.empty()) integer = e;
    std::uint32_t cell = 0xAABBCCDDu;
    if (std::string e = errorOf([&] { store.readBinary("V", cell); }); !e.empty())
      binary = e;
    else
      binary = std::to_string(cell);
    EXPECT_TRUE(text == c.text) << c.what << ": read " << text.size() << " characters: " << text.substr(0, 60);
    EXPECT_EQ(integer, c.integer) << c.what;
    EXPECT_EQ(binary, c.binary) << c.what;
    store.deleteKey("V");
    store.deleteValue("V");
  }
}

TEST_F(RegistryContract, WritesStoreTheirTypeAndReplaceAnyOtherType) {
  rawSet("", "Text", kRegDword, {1, 0, 0, 0});
  rawSet("", "Number", kRegSz, {'x', 0});
  RegistryStore store = scratchStore();
  store.writeText("Text", "Hi");
  store.writeText("Empty", "");
  store.writeText("", "unnamed");
  store.writeInteger("Number", 0x01020304u);
  store.writeBinary("Binary", 0x20000170u);

  struct Expect {
    const char* name;
    std::uint32_t type;
    Bytes bytes;
  };
  const Expect expected[] = {
      {"Text", kRegSz, {'H', 'i', 0}},
      {"Empty", kRegSz, {0}},
      {"", kRegSz, {'u', 'n', 'n', 'a', 'm', 'e', 'd', 0}},
      {"Number", kRegDword, {4, 3, 2, 1}},
      {"Binary", kRegBinary, {0x70, 0x01, 0x00, 0x20}},
  };
  for (const Expect& e : expected) {
    Raw raw = rawGet("", e.name);
    EXPECT_TRUE(raw.exists) << e.name;
    EXPECT_EQ(raw.type, e.type) << e.name;
    EXPECT_EQ(raw.bytes, e.bytes) << e.name;
  }
  EXPECT_EQ(store.readText(""), "unnamed");
}

TEST_F(RegistryContract, DeleteValueReportsWhetherItRemovedOne) {
  rawSet("", "V", kRegSz, {'x', 0});
  RegistryStore store = scratchStore();
  EXPECT_TRUE(store.deleteValue("v"));
  EXPECT_FALSE(rawGet("", "V").exists);
  EXPECT_FALSE(store.deleteValue("V"));
}

TEST_F(RegistryContract, DeleteKeyRemovesTheWholeSubtreeAndKeepsTheOpenKey) {
  rawSet("Top\\Mid\\Leaf1", "V", kRegSz, {'1', 0});
  rawSet("Top\\Mid\\Leaf2", "V", kRegSz, {'2', 0});
  rawSet("Top\\Side", "V", kRegSz, {'3', 0});
  rawSet("Sibling", "V", kRegSz, {'4', 0});
  rawSet("", "Mine", kRegSz, {'5', 0});
  RegistryStore store = scratchStore();
  EXPECT_TRUE(store.deleteKey("Top"));
  EXPECT_FALSE(rawKeyExists("Top"));
  EXPECT_TRUE(rawKeyExists("Sibling"));
  EXPECT_EQ(store.readText("Mine"), "5") << "the open key stays open";

  EXPECT_FALSE(store.deleteKey("Top")) << "a missing key is no error, only false";
  EXPECT_TRUE(rawKeyExists("Sibling"));

  EXPECT_TRUE(store.deleteKey("\\" + kScratchKey + "\\Sibling"));
  EXPECT_FALSE(rawKeyExists("Sibling"));

  // A trailing backslash names the same key: it goes, or nothing is reported as done.
  rawSet("Trail\\Inner", "V", kRegSz, {'6', 0});
  EXPECT_TRUE(store.deleteKey("Trail\\"));
  EXPECT_FALSE(rawKeyExists("Trail"));
  EXPECT_TRUE(store.keyNames().empty()) << "the parent lists no deleted key";
}

TEST_F(RegistryContract, KeyNamesListTheSubkeysInIndexOrder) {
  for (const char* name : {"Gamma", "alpha", "Beta"}) rawSet(name, "V", kRegSz, {0});
  RegistryStore store = scratchStore();
  EXPECT_EQ(store.keyNames(), (std::vector<std::string>{"alpha", "Beta", "Gamma"}));
  ASSERT_TRUE(store.openKey("alpha", false));
  EXPECT_TRUE(store.keyNames().empty());
}

// What a backup keeps of a key before deleting it: every value, its name as stored, type and bytes.
TEST_F(RegistryContract, EnumValueListsEveryValueWithItsStoredNameTypeAndBytes) {
  rawSet("Full", "MixedCase", kRegSz, {'t', 0});
  rawSet("Full", "", kRegDword, {1, 2, 3, 4});
  rawSet("Full", "Empty", kRegBinary, {});
  rawSet("Full", "Long", kRegBinary, Bytes(600, 0xAB));
  RegHandle handle = 0;
  ASSERT_EQ(apis.registry.openKey(kHkeyCurrentUser, kScratchKey + "\\Full", handle), kErrorSuccess);
  std::map<std::string, std::pair<std::uint32_t, Bytes>> found;
  std::string name;
  std::uint32_t type = 0;
  Bytes data;
  std::uint32_t index = 0;
  for (; apis.registry.enumValue(handle, index, name, type, data) == kErrorSuccess; ++index)
    found[name] = {type, data};
  EXPECT_EQ(apis.registry.enumValue(handle, index, name, type, data), kErrorNoMoreItems);
  apis.registry.closeKey(handle);
  // The order differs between backends (name order in memory, creation order on Windows).
  EXPECT_EQ(found, (std::map<std::string, std::pair<std::uint32_t, Bytes>>{
                       {"", {kRegDword, {1, 2, 3, 4}}},
                       {"Empty", {kRegBinary, {}}},
                       {"Long", {kRegBinary, Bytes(600, 0xAB)}},
                       {"MixedCase", {kRegSz, {'t', 0}}}}));
}

}  // namespace
}  // namespace varnex::settings::contract
