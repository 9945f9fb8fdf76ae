#include <string>

#include "settings/formats/regedit4.h"

namespace varnex::formats {
namespace {

constexpr const char* kEndOfLine = "\r\n";
constexpr std::size_t kLineWidth = 80;  // regedit breaks long hex lists before this column

const char* rootName(std::uint32_t root) {
    switch (root) {
        case kHkeyClassesRoot: return "HKEY_CLASSES_ROOT";
        case kHkeyCurrentUser: return "HKEY_CURRENT_USER";
        case kHkeyLocalMachine: return "HKEY_LOCAL_MACHINE";
        default: return "HKEY_USERS";
    }
}

std::string keyName(const RegOp& op) {
    std::string name = rootName(op.root);
    if (!op.keyPath.empty()) name += "\\" + op.keyPath;
    return name;
}

std::string quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// A REG_SZ that the quoted form gives back byte for byte: one terminating NUL, none inside, and
// no line break that would end the line.
bool quotable(const RegOp& op) {
    if (op.type != kRegSz || op.data.empty() || op.data.back() != 0) return false;
    for (std::size_t i = 0; i + 1 < op.data.size(); ++i)
        if (op.data[i] == 0 || op.data[i] == '\r' || op.data[i] == '\n') return false;
    return true;
}

void hexList(std::string& line, const std::vector<std::uint8_t>& data, std::string& out) {
    const char* digits = "0123456789abcdef";
    for (std::size_t i = 0; i < data.size(); ++i) {
        const bool last = i + 1 == data.size();
        if (line.size() + (last ? 2 : 3) > kLineWidth - 2) {
            out += line + "\\" + kEndOfLine;
            line = "  ";
        }
        line += digits[data[i] >> 4];
        line += digits[data[i] & 15];
        if (!last) line += ',';
    }
}

void valueLine(const RegOp& op, std::string& out) {
    std::string line = op.valueName.empty() ? "@" : quote(op.valueName);
    line += '=';
    if (op.kind == RegOp::Kind::DeleteValue) {
        line += '-';
    } else if (quotable(op)) {
        line += quote(std::string(op.data.begin(), op.data.end() - 1));
    } else if (op.type == kRegDword && op.data.size() == 4) {
        char hex[9];
        const std::uint32_t v = op.data[0] | op.data[1] << 8 | op.data[2] << 16 | std::uint32_t{op.data[3]} << 24;
        const char* digits = "0123456789abcdef";
        for (int i = 0; i < 8; ++i) hex[i] = digits[(v >> (28 - 4 * i)) & 15];
        hex[8] = '\0';
        line += std::string("dword:") + hex;
    } else {
        line += op.type == kRegBinary ? "hex:" : "hex(" + std::to_string(op.type) + "):";
        hexList(line, op.data, out);
    }
    out += line + kEndOfLine;
}

}  // namespace

std::string writeRegedit4(const std::vector<RegOp>& ops) {
    std::string out = std::string("REGEDIT4") + kEndOfLine;
    const RegOp* section = nullptr;  // the key whose [..] line the value lines below belong to
    for (const RegOp& op : ops) {
        const bool valueOp = op.kind == RegOp::Kind::SetValue || op.kind == RegOp::Kind::DeleteValue;
        const bool sameKey = section && section->root == op.root && section->keyPath == op.keyPath;
        if (op.kind == RegOp::Kind::DeleteKey) {
            out += std::string(kEndOfLine) + "[-" + keyName(op) + "]" + kEndOfLine;
            section = nullptr;
            continue;
        }
        if (!sameKey) {
            out += std::string(kEndOfLine) + "[" + keyName(op) + "]" + kEndOfLine;
            section = &op;
        }
        if (valueOp) valueLine(op, out);
    }
    return out + kEndOfLine;
}

}  // namespace varnex::formats
