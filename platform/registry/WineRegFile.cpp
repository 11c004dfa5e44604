// Wine's registry text: the header, key lines, attribute lines, and values as
// "text", str(N):"text", dword:XXXXXXXX, hex:.. or hex(N):.. (hex lists may go
// on over lines that end with a backslash).
#include "platform/registry/WineRegFile.h"

#include "platform/registry/RegTypes.h"
#include "platform/registry/WineText.h"

namespace mirtala::registry {

namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";
constexpr std::uint32_t REG_MULTI_SZ = 7;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool ParseHexNumber(std::string_view digits, std::uint32_t& value) {
    if (digits.empty() || digits.size() > 8) return false;
    value = 0;
    for (char c : digits) {
        int d = HexDigitValue(c);
        if (d < 0) return false;
        value = value * 16 + std::uint32_t(d);
    }
    return true;
}

bool ParseHexList(std::string_view s, std::vector<std::uint8_t>& out) {
    out.clear();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && (IsBlank(s[i]) || s[i] == '\n')) ++i;
    };
    skipBlanks();
    while (i < s.size()) {
        if (i + 2 > s.size() || HexDigitValue(s[i]) < 0 || HexDigitValue(s[i + 1]) < 0) return false;
        out.push_back(std::uint8_t(HexDigitValue(s[i]) * 16 + HexDigitValue(s[i + 1])));
        i += 2;
        skipBlanks();
        if (i == s.size()) break;
        if (s[i] != ',') return false;
        ++i;
        skipBlanks();
    }
    return true;
}

bool IsStringType(std::uint32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// A string kept as UTF-16 bytes (hex form) in the UTF-8 form text values get.
void Utf16BytesToText(std::vector<std::uint8_t>& data) {
    std::string text = Utf8FromUtf16Le(data);
    data.assign(text.begin(), text.end());
}

void EndWithNul(std::vector<std::uint8_t>& data) {
    if (data.empty() || data.back() != 0) data.push_back(0);
}

// Parses the data after '='; false when it is malformed.
bool ParseData(std::string_view data, RegValue& value) {
    data = Trim(data);
    std::uint32_t type = REG_SZ;
    if (data.substr(0, 4) == "str(") {
        std::size_t close = data.find("):");
        if (close == std::string_view::npos || !ParseHexNumber(data.substr(4, close - 4), type)) return false;
        data = data.substr(close + 2);
    }
    if (!data.empty() && data.front() == '"') {
        std::string text;
        if (ReadWineEscaped(data, 1, '"', text) != data.size()) return false;
        value.type = type;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);  // the text leaves out the closing NUL
        return true;
    }
    if (data.substr(0, 6) == "dword:") {
        std::uint32_t v = 0;
        if (!ParseHexNumber(data.substr(6), v)) return false;
        value.type = REG_DWORD;
        value.data = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
        return true;
    }
    std::string_view list;
    if (data.substr(0, 4) == "hex:") {
        value.type = REG_BINARY;
        list = data.substr(4);
    } else if (data.substr(0, 4) == "hex(") {
        std::size_t close = data.find("):");
        if (close == std::string_view::npos || !ParseHexNumber(data.substr(4, close - 4), value.type)) return false;
        list = data.substr(close + 2);
    } else {
        return false;
    }
    if (!ParseHexList(list, value.data)) return false;
    if (IsStringType(value.type)) {
        Utf16BytesToText(value.data);
        EndWithNul(value.data);
    }
    return true;
}

// Whether a key name ("A\\B\\C", empty levels dropped) is the path wanted.
bool NameIsPath(std::string_view name, const std::vector<std::string>& wanted) {
    std::size_t level = 0;
    while (!name.empty()) {
        std::size_t end = name.find('\\');
        std::string_view part = name.substr(0, end);
        name = end == std::string_view::npos ? std::string_view() : name.substr(end + 1);
        if (part.empty()) continue;
        if (level == wanted.size() || !NamesEqual(part, wanted[level])) return false;
        ++level;
    }
    return level == wanted.size();
}

// The text as physical lines, with their numbers.
class Lines {
public:
    explicit Lines(std::string_view text) : m_text(text) {}
    bool Next(std::string_view& line) {
        if (m_pos >= m_text.size()) return false;
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos) end = m_text.size();
        line = Trim(m_text.substr(m_pos, end - m_pos));
        m_pos = end + 1;
        ++m_number;
        return true;
    }
    int Number() const { return m_number; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_number = 0;
};

}  // namespace

WineRegResult ReadWineRegText(std::string_view text, const std::vector<std::vector<std::string>>& wanted,
                              RegNode& root) {
    WineRegResult result;
    auto skip = [&](int line, const char* why) {
        if (result.skippedLines++ == 0) result.problem = "line " + std::to_string(line) + ": " + why;
    };
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Lines lines(text);
    std::string_view line;
    while (lines.Next(line) && line.empty()) {}
    if (line.substr(0, kHeader.size()) != kHeader) {
        result.problem =
            "line " + std::to_string(lines.Number()) + ": the file does not start with " + std::string(kHeader);
        return result;
    }
    result.readable = true;
    RegNode* current = nullptr;  // the wanted key being read, or null while passing over others
    std::string name;            // reused: most of a system.reg is keys passed over
    while (lines.Next(line)) {
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        int number = lines.Number();
        if (line.front() == '[') {
            current = nullptr;
            if (ReadWineEscaped(line, 1, ']', name) == std::string_view::npos) {
                skip(number, "a key line without ']'");
                continue;
            }
            if (name.find_first_not_of('\\') == std::string::npos) {
                skip(number, "a key line without a name");
                continue;
            }
            for (const auto& w : wanted) {
                if (!NameIsPath(name, w)) continue;
                current = &root;
                for (const auto& level : SplitKeyPath(name)) current = &current->AddChild(level);
                break;
            }
            continue;
        }
        if (!current) continue;  // values (and hex continuations) of a key passed over
        RegValue value;
        std::size_t eq = 1;
        if (line.front() == '"') {
            eq = ReadWineEscaped(line, 1, '"', value.name);
            if (eq == std::string_view::npos) {
                skip(number, "an unterminated value name");
                continue;
            }
        } else if (line.front() != '@') {
            skip(number, "a line that is neither a key nor a value");
            continue;
        }
        std::string_view rest = Trim(line.substr(eq));
        if (rest.empty() || rest.front() != '=') {
            skip(number, "a value without '='");
            continue;
        }
        std::string data(Trim(rest.substr(1)));
        // A hex list goes on over the lines that end with a backslash.
        while (data.substr(0, 3) == "hex" && !data.empty() && data.back() == '\\') {
            data.pop_back();
            std::string_view more;
            if (!lines.Next(more)) break;
            data.append(more);
        }
        if (!ParseData(data, value)) {
            skip(number, "malformed value data");
            continue;
        }
        current->SetValue(std::move(value));
    }
    return result;
}

}  // namespace mirtala::registry
