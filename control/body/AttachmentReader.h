// Reading attachment points from the text of an attachment file (".att").
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "control/body/PartData.h"

namespace zubrelle {

// Reads one base-10 number at the cursor as the low 16 bits, unsigned. Where no number
// can be read (including the end of the text) the value is 0 and the cursor stays.
std::int32_t ReadAttachmentNumber(std::string_view& cursor);

// Reads points.size() pairs x, y and moves the cursor past them.
void ReadAttachmentPoints(std::string_view& cursor, std::span<AttachmentPoint> points);

}  // namespace zubrelle
