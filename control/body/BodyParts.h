// Body-part numbering and the name tables used in the loader's messages.
#pragma once

#include <array>
#include <string_view>

namespace zubrelle {

constexpr int kPartCount = 14;  // parts are numbered 1 to 14
constexpr int kImagesPerPart = 10;
constexpr int kMaxAttachmentPoints = 6;

enum BodyPart : int {
    kHead = 1,
    kBody,
    kLeftThigh,
    kLeftShin,
    kLeftFoot,
    kRightThigh,
    kRightShin,
    kRightFoot,
    kLeftHumerus,
    kLeftRadius,
    kRightHumerus,
    kRightRadius,
    kTailRoot,
    kTailTip,
};

// Entry 0 is empty so that the part number indexes the table.
extern const std::array<std::string_view, kPartCount + 1> PartNames;
extern const std::array<std::string_view, 3> GenusNames;
extern const std::array<std::string_view, 2> SexNames;
extern const std::array<std::string_view, 7> AgeNames;

// Six for the body, two for every other part.
constexpr int AttachmentPointCount(int part) { return part == kBody ? 6 : 2; }
// 'a' for the head up to 'n' for the tail tip.
constexpr char PartLetter(int part) { return char('a' + part - 1); }

}  // namespace zubrelle
