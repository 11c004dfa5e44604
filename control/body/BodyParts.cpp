// The name tables of the loader's messages.
#include "control/body/BodyParts.h"

namespace zubrelle {

const std::array<std::string_view, kPartCount + 1> PartNames = {
    "",           "head",       "body",         "left thigh",  "left shin",     "left foot",    "right thigh",
    "right shin", "right foot", "left humerus", "left radius", "right humerus", "right radius", "tail root",
    "tail tip"};
const std::array<std::string_view, 3> GenusNames = {"Tovel", "Brask", "Umbrid"};
const std::array<std::string_view, 2> SexNames = {"male", "female"};
const std::array<std::string_view, 7> AgeNames = {"baby", "child", "adolescent", "youth", "adult", "old", "senile"};

}  // namespace zubrelle
