// Text form of identifiers.
#include "platform/com/Guid.h"

#include <cstdio>

namespace com {

std::string GuidToString(const GUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}

bool GuidFromString(std::string_view text, GUID* guid) {
    static constexpr std::string_view kShape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != kShape.size()) return false;
    std::uint8_t nibbles[32];
    int n = 0;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        char c = text[i];
        if (kShape[i] != 'X') {
            if (c != kShape[i]) return false;
            continue;
        }
        int v = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : -1;
        if (v < 0) return false;
        nibbles[n++] = static_cast<std::uint8_t>(v);
    }
    auto take = [&](int from, int count) {
        std::uint32_t v = 0;
        for (int i = 0; i < count; ++i) v = v * 16 + nibbles[from + i];
        return v;
    };
    GUID g;
    g.Data1 = take(0, 8);
    g.Data2 = static_cast<std::uint16_t>(take(8, 4));
    g.Data3 = static_cast<std::uint16_t>(take(12, 4));
    for (int i = 0; i < 8; ++i) g.Data4[i] = static_cast<std::uint8_t>(take(16 + 2 * i, 2));
    *guid = g;
    return true;
}

}  // namespace com
