// Converting a pose string into slot values.
#include "control/body/PoseSlotValues.h"

namespace zubrelle {

PoseSlotValues ConvertPoseString(std::string_view poseString) {
    PoseSlotValues values{};
    for (std::size_t i = 0; i < values.size() && i < poseString.size(); ++i) {
        const char c = poseString[i];
        if (c >= '0' && c <= '9') {
            values[i] = c - '0';
        } else if (c == 'X') {
            values[i] = 8;
        } else if (c == '?') {
            values[i] = 6;
        } else if (c == '!') {
            values[i] = 7;
        }
    }
    return values;
}

}  // namespace zubrelle
