// The editor's dialog templates, by resource number.
#pragma once

#include "editor/ui/DialogTemplate.h"

namespace mirtala::ui {

const DialogTemplate& FormTemplate();     // the main form view
const DialogTemplate& PoseTemplate();     // the pose dialog
const DialogTemplate& GaitTemplate();     // the gait dialog
const DialogTemplate& NewPoseTemplate();  // New Pose
const DialogTemplate& NewGaitTemplate();  // New Gait

// Control identifiers shared by several templates.
namespace id {
inline constexpr int Apply = 1027;
// The form view
inline constexpr int Sex = 1013, Age = 1014, Genus = 1015, HeadGenus = 1016, HeadVariant = 1021;
inline constexpr int PoseList = 1074, GaitList = 1001;
inline constexpr int AddPose = 1026, RemovePose = 1027, PoseProperties = 1028;
inline constexpr int AddGait = 1029, RemoveGait = 1030, GaitProperties = 1031;
// New Pose and New Gait
inline constexpr int NewPoseMode = 1095, VariantMode = 1096, PoseName = 1097, PoseChoice = 1086, SwitchOn = 1014;
inline constexpr int GaitName = 1098;
}  // namespace id

}  // namespace mirtala::ui
