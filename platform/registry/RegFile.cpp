// REGEDIT4 text: a header line, then "[ROOT\key]" sections holding
// "name"=value lines; values are strings, dword:, hex: or hex(N): byte lists.
#include "platform/registry/RegFile.h"

#include <cstdio>

#include "platform/registry/RegTypes.h"

namespace mirtala::registry {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Splits the text into logical lines; a hex list may continue on the next
// line after a trailing backslash. Each line keeps the number where it began.
struct Line {
    int number;
    std::string text;
};

std::vector<Line> LogicalLines(std::string_view text) {
    std::vector<Line> lines;
    int number = 0;
    bool continuing = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        ++number;
        if (continuing) {
            lines.back().text.append(raw);
        } else {
            lines.push_back({number, std::string(raw)});
        }
        std::string& cur = lines.back().text;
        // Only hex lists continue; key lines end with ']' and strings with '"'.
        continuing = !cur.empty() && cur.back() == '\\' && cur.front() != '[';
        if (continuing) cur.pop_back();
    }
    return lines;
}

// Reads a quoted string starting at s[0] == '"'; returns the index after the
// closing quote, or npos when the string is unterminated.
std::size_t ReadQuoted(std::string_view s, std::string& out) {
    out.clear();
    for (std::size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') return i + 1;
        if (c == '\\') {
            if (i + 1 >= s.size()) return std::string_view::npos;
            out.push_back(s[++i]);
        } else {
            out.push_back(c);
        }
    }
    return std::string_view::npos;
}

bool ParseHexList(std::string_view s, std::vector<std::uint8_t>& out) {
    out.clear();
    s = Trim(s);
    if (s.empty()) return true;
    std::size_t i = 0;
    while (true) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        if (i + 2 > s.size()) return false;
        int hi = HexDigit(s[i]), lo = HexDigit(s[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        i += 2;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        if (i == s.size()) return true;
        if (s[i] != ',') return false;
        ++i;
    }
}

// Parses the data part of a value line into value; false when malformed.
bool ParseData(std::string_view data, RegValue& value, bool& remove) {
    remove = false;
    data = Trim(data);
    if (data == "-") {
        remove = true;
        return true;
    }
    if (!data.empty() && data.front() == '"') {
        std::string text;
        std::size_t end = ReadQuoted(data, text);
        if (end != data.size()) return false;
        value.type = REG_SZ;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return true;
    }
    if (data.substr(0, 6) == "dword:") {
        std::string_view digits = data.substr(6);
        if (digits.size() != 8) return false;
        std::uint32_t v = 0;
        for (char c : digits) {
            int d = HexDigit(c);
            if (d < 0) return false;
            v = v * 16 + static_cast<std::uint32_t>(d);
        }
        value.type = REG_DWORD;
        value.data = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                      static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
        return true;
    }
    if (data.substr(0, 4) == "hex:") {
        value.type = REG_BINARY;
        return ParseHexList(data.substr(4), value.data);
    }
    if (data.substr(0, 4) == "hex(") {
        std::size_t close = data.find("):");
        if (close == std::string_view::npos || close == 4 || close > 12) return false;
        std::uint32_t type = 0;
        for (char c : data.substr(4, close - 4)) {
            int d = HexDigit(c);
            if (d < 0) return false;
            type = type * 16 + static_cast<std::uint32_t>(d);
        }
        value.type = type;
        return ParseHexList(data.substr(close + 2), value.data);
    }
    return false;
}

std::string Escape(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

// A string value is written as text only when it reads back byte for byte.
bool Printable(const RegValue& v) {
    if (v.type != REG_SZ || v.data.empty() || v.data.back() != 0) return false;
    for (std::size_t i = 0; i + 1 < v.data.size(); ++i)
        if (v.data[i] == 0 || v.data[i] == '\n' || v.data[i] == '\r') return false;
    return true;
}

void FormatValue(const RegValue& v, std::string& out) {
    if (v.name.empty()) {
        out += "@=";
    } else {
        out += '"' + Escape(v.name) + "\"=";
    }
    if (Printable(v)) {
        out += '"' + Escape(std::string(v.data.begin(), v.data.end() - 1)) + "\"\n";
        return;
    }
    char buf[32];
    if (v.type == REG_DWORD && v.data.size() == 4) {
        std::uint32_t d =
            v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (static_cast<std::uint32_t>(v.data[3]) << 24);
        std::snprintf(buf, sizeof buf, "dword:%08x\n", d);
        out += buf;
        return;
    }
    if (v.type == REG_BINARY) {
        out += "hex:";
    } else {
        std::snprintf(buf, sizeof buf, "hex(%x):", v.type);
        out += buf;
    }
    for (std::size_t i = 0; i < v.data.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02x", v.data[i]);
        if (i) out += ',';
        if (i && i % 24 == 0) out += "\\\n  ";
        out += buf;
    }
    out += '\n';
}

void FormatKey(const RegNode& node, const std::string& path, std::string& out) {
    out += '[' + path + "]\n";
    for (const auto& v : node.Values()) FormatValue(v, out);
    out += '\n';
    for (const auto& child : node.Children()) FormatKey(*child, path + '\\' + child->Name(), out);
}

}  // namespace

RegParseResult ParseRegText(std::string_view text, std::string_view rootName, RegNode& root) {
    RegParseResult result;
    auto fail = [&](int line, const std::string& why) {
        result.complete = false;
        result.problem = "line " + std::to_string(line) + ": " + why;
        return result;
    };
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<Line> lines = LogicalLines(text);
    bool sawHeader = false;
    RegNode* current = nullptr;
    for (const Line& line : lines) {
        std::string_view s = line.text;
        if (s.empty() || s.front() == ';') continue;
        if (!sawHeader) {
            if (s != kHeader) return fail(line.number, "the file does not start with REGEDIT4");
            sawHeader = true;
            continue;
        }
        if (s.front() == '[') {
            if (s.back() != ']') return fail(line.number, "a key line does not end with ']'");
            std::string_view path = s.substr(1, s.size() - 2);
            bool remove = !path.empty() && path.front() == '-';
            if (remove) path.remove_prefix(1);
            std::vector<std::string> levels = SplitKeyPath(path);
            if (levels.empty() || !NamesEqual(levels.front(), rootName))
                return fail(line.number, "a key outside " + std::string(rootName));
            levels.erase(levels.begin());
            if (remove) {
                current = nullptr;
                if (levels.empty()) return fail(line.number, "the root itself cannot be removed");
                std::string last = levels.back();
                levels.pop_back();
                if (RegNode* parent = root.Find(levels)) parent->RemoveChild(last);
                continue;
            }
            current = &root;
            for (const auto& level : levels) current = &current->AddChild(level);
            continue;
        }
        if (!current) return fail(line.number, "a value outside any key");
        RegValue value;
        std::size_t eq;
        if (s.front() == '@') {
            eq = 1;
        } else if (s.front() == '"') {
            eq = ReadQuoted(s, value.name);
            if (eq == std::string_view::npos) return fail(line.number, "an unterminated value name");
            if (value.name.empty()) return fail(line.number, "an empty value name");
        } else {
            return fail(line.number, "a line that is neither a key nor a value");
        }
        std::string_view rest = Trim(s.substr(eq));
        if (rest.empty() || rest.front() != '=') return fail(line.number, "a value without '='");
        bool remove = false;
        if (!ParseData(rest.substr(1), value, remove)) return fail(line.number, "malformed value data");
        if (remove) {
            current->RemoveValue(value.name);
        } else {
            current->SetValue(std::move(value));
        }
    }
    return result;
}

std::string FormatRegText(const RegNode& root, std::string_view rootName) {
    std::string out(kHeader);
    out += "\n\n";
    for (const auto& child : root.Children()) FormatKey(*child, std::string(rootName) + '\\' + child->Name(), out);
    if (!root.Values().empty()) {
        // Values directly on a root are not representable; keep them under a
        // key line of the root itself.
        std::string rootPart = '[' + std::string(rootName) + "]\n";
        for (const auto& v : root.Values()) FormatValue(v, rootPart);
        out.insert(kHeader.size() + 2, rootPart + '\n');
    }
    return out;
}

}  // namespace mirtala::registry
