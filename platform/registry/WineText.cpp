// Escaped text and UTF-16 strings of Wine's registry files, as UTF-8.
#include "platform/registry/WineText.h"

namespace mirtala::registry {

namespace {

// Text from raw bytes (passed through) and UTF-16 units (encoded as UTF-8; a
// surrogate without its partner becomes U+FFFD), written into a buffer that
// the caller may reuse.
class Utf8Text {
public:
    explicit Utf8Text(std::string& out) : m_out(out) { m_out.clear(); }
    ~Utf8Text() { Flush(); }
    void Bytes(std::string_view bytes) {
        if (bytes.empty()) return;  // between two escapes: a surrogate pair stays whole
        Flush();
        m_out.append(bytes);
    }
    void Unit(std::uint32_t unit) {
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            Flush();
            m_high = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (!m_high) return Append(0xFFFD);
            std::uint32_t cp = 0x10000 + ((m_high - 0xD800) << 10) + (unit - 0xDC00);
            m_high = 0;
            return Append(cp);
        }
        Flush();
        Append(unit);
    }
    void Flush() {
        if (m_high) Append(0xFFFD);
        m_high = 0;
    }

private:
    void Append(std::uint32_t cp) {
        if (cp < 0x80) {
            m_out.push_back(char(cp));
        } else if (cp < 0x800) {
            m_out.push_back(char(0xC0 | (cp >> 6)));
            m_out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            m_out.push_back(char(0xE0 | (cp >> 12)));
            m_out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            m_out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            m_out.push_back(char(0xF0 | (cp >> 18)));
            m_out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            m_out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            m_out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    std::string& m_out;
    std::uint32_t m_high = 0;
};

}  // namespace

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::size_t ReadWineEscaped(std::string_view s, std::size_t i, char close, std::string& out) {
    Utf8Text text(out);
    while (i < s.size()) {
        std::size_t stop = i;
        while (stop < s.size() && s[stop] != '\\' && s[stop] != close) ++stop;
        if (stop == s.size()) break;
        text.Bytes(s.substr(i, stop - i));  // plain text in one piece
        i = stop + 1;
        if (s[stop] == close) {
            text.Flush();
            return i;
        }
        if (i >= s.size()) break;
        char e = s[i++];
        switch (e) {
            case 'a': text.Unit(7); break;
            case 'b': text.Unit(8); break;
            case 'e': text.Unit(27); break;
            case 'f': text.Unit(12); break;
            case 'n': text.Unit(10); break;
            case 'r': text.Unit(13); break;
            case 't': text.Unit(9); break;
            case 'v': text.Unit(11); break;
            case 'x': {
                std::uint32_t v = 0;
                int n = 0;
                for (; n < 4 && i < s.size() && HexDigitValue(s[i]) >= 0; ++n)
                    v = v * 16 + std::uint32_t(HexDigitValue(s[i++]));
                n ? text.Unit(v) : text.Bytes("x");
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    std::uint32_t v = std::uint32_t(e - '0');
                    for (int n = 1; n < 3 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++n)
                        v = v * 8 + std::uint32_t(s[i++] - '0');
                    text.Unit(v);
                } else {
                    text.Bytes(std::string_view(&e, 1));
                }
        }
    }
    return std::string_view::npos;
}

std::string Utf8FromUtf16Le(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    Utf8Text text(out);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) text.Unit(bytes[i] | (std::uint32_t(bytes[i + 1]) << 8));
    text.Flush();
    return out;
}

}  // namespace mirtala::registry
