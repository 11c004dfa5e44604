// Lossless conversion of file names between bytes and text.
#include "editor/document/PathBytes.h"

namespace mirtala {

namespace {

// Length of the valid UTF-8 sequence at `at` and its code point, or 0.
std::size_t ValidSequence(std::string_view s, std::size_t at, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > s.size()) return 0;
    code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

QString PathFromBytes(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t code = 0;
        const std::size_t length = ValidSequence(bytes, at, code);
        if (length == 0) {
            text += QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes[at])));
            ++at;
            continue;
        }
        text += QString::fromUcs4(&code, 1);
        at += length;
    }
    return text;
}

std::string PathToBytes(const QString& path) {
    std::string bytes;
    const qsizetype n = path.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t code = path[i].unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < n && path[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(path[i].unicode(), path[i + 1].unicode());
            ++i;
        } else if (code >= 0xDC80 && code <= 0xDCFF) {
            bytes += static_cast<char>(code - 0xDC00);  // a byte that was not UTF-8
            continue;
        }
        const QByteArray utf8 = QString::fromUcs4(&code, 1).toUtf8();
        bytes.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    return bytes;
}

}  // namespace mirtala
