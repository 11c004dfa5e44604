// Truncation toward zero of a double into an int. Values beyond the int range (from an
// unvalidated scale or angle) saturate and NaN gives 0, instead of being undefined.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace zubrelle {

inline std::int32_t TruncToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= -2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace zubrelle

namespace zubrelle {

// Sums of saturated coordinates stay representable this way.
inline std::int32_t ClampToInt(long long value) {
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace zubrelle
