// The fifteen integers a pose string turns into: slot 0 the direction, slot k body part k.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zubrelle {

constexpr int kPoseSlots = 15;
using PoseSlotValues = std::array<std::int32_t, kPoseSlots>;

// Digits give their value, 'X' 8, '?' 6, '!' 7, anything else 0; slots past the end of a
// short string stay 0 and characters after the fifteenth are ignored.
PoseSlotValues ConvertPoseString(std::string_view poseString);

}  // namespace zubrelle
