// The appearance of a creature as the picture control keys its bodies: sex and age,
// then genus and variant of each of the five body regions.
#pragma once

#include <cstdint>

namespace zubrelle {

struct Appearance {
    std::int32_t sex = 0;
    std::int32_t age = 0;
    std::int32_t headGenus = 0;
    std::int32_t headVariant = 0;
    std::int32_t bodyGenus = 0;
    std::int32_t bodyVariant = 0;
    std::int32_t legsGenus = 0;
    std::int32_t legsVariant = 0;
    std::int32_t armsGenus = 0;
    std::int32_t armsVariant = 0;
    std::int32_t tailGenus = 0;
    std::int32_t tailVariant = 0;
    friend bool operator==(const Appearance&, const Appearance&) = default;
};

}  // namespace zubrelle
