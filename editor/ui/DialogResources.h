// The editor's dialog templates, by resource number.
#pragma once

#include "editor/ui/DialogTemplate.h"

namespace mirtala::ui {

const DialogTemplate& FormTemplate();      // 101: the main form view
const DialogTemplate& PoseTemplate();      // 130: pose dialog
const DialogTemplate& GaitTemplate();      // 134: gait dialog
const DialogTemplate& NewPoseTemplate();   // 138: New Pose
const DialogTemplate& NewGaitTemplate();   // 140: New Gait

// Control identifiers shared by several templates.
namespace id {
inline constexpr int Apply = 1027;
// Form 101
inline constexpr int Sex = 1013, Age = 1014, Genus = 1015, HeadGenus = 1016, HeadVariant = 1021;
inline constexpr int PoseList = 1074, GaitList = 1001;
inline constexpr int AddPose = 1026, RemovePose = 1027, PoseProperties = 1028;
inline constexpr int AddGait = 1029, RemoveGait = 1030, GaitProperties = 1031;
// New Pose 138 and New Gait 140
inline constexpr int NewPoseMode = 1095, VariantMode = 1096, PoseName = 1097, PoseChoice = 1086, SwitchOn = 1014;
inline constexpr int GaitName = 1098;
}  // namespace id

}  // namespace mirtala::ui
