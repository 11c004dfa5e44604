// Attachment text: one stream of decimal numbers, read as a 32-bit long would be and
// stored as its low 16 bits.
#include "control/body/AttachmentReader.h"

#include <cstdint>

namespace zubrelle {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::int32_t ReadAttachmentNumber(std::string_view& cursor) {
    std::size_t at = 0;
    while (at < cursor.size() && IsSpace(cursor[at])) {
        ++at;
    }
    bool negative = false;
    if (at < cursor.size() && (cursor[at] == '+' || cursor[at] == '-')) {
        negative = cursor[at] == '-';
        ++at;
    }
    if (at >= cursor.size() || cursor[at] < '0' || cursor[at] > '9') {
        return 0;  // nothing to read: the cursor stays where it was
    }
    // Saturate like a 32-bit long: too large gives 0x7FFFFFFF, too small -0x80000000.
    std::int64_t magnitude = 0;
    bool overflow = false;
    for (; at < cursor.size() && cursor[at] >= '0' && cursor[at] <= '9'; ++at) {
        if (!overflow) {
            magnitude = magnitude * 10 + (cursor[at] - '0');
            overflow = magnitude > 0x80000000LL;
        }
    }
    cursor.remove_prefix(at);
    std::int64_t value = negative ? -magnitude : magnitude;
    if (overflow || value > 0x7FFFFFFFLL) {
        value = negative ? -0x80000000LL : 0x7FFFFFFFLL;
    }
    return std::int32_t(std::uint16_t(std::uint64_t(value) & 0xFFFFu));
}

void ReadAttachmentPoints(std::string_view& cursor, std::span<AttachmentPoint> points) {
    for (AttachmentPoint& point : points) {
        point.x = ReadAttachmentNumber(cursor);
        point.y = ReadAttachmentNumber(cursor);
    }
}

}  // namespace zubrelle
