// Control identifiers of the pose dialog and the gait dialog, and the pose dialog's slot buttons: what each slot's buttons stand
// for and which identifiers they carry.
#pragma once

namespace mirtala::ui {

namespace id {
// The pose dialog
inline constexpr int PosePicture = 1001;
// The gait dialog: thumbnail k and step button k carry the first id plus k.
inline constexpr int FirstThumbnail = 1028, FirstStep = 1078;
inline constexpr int Preview = 1036, StepPicture = 1087, GaitPoseList = 1086;
inline constexpr int Insert = 1088, Remove = 1089, Angle = 1091, AngleStep = 1092, Friction = 1093;
// The row under the gait dialog's template controls: stepping through the preview, and Export.
inline constexpr int Play = 1094, StepFrame = 1095, FrameReadout = 1096, Speed = 1097, Export = 1098;
// The preview's onion skin: its neighbouring frames faded behind the one shown.
inline constexpr int OnionSkin = 1110;
}  // namespace id

inline constexpr int kPoseSlotCount = 15;

// The characters slot 0 to 14's buttons stand for, in button order.
const char* PoseSlotAlphabet(int slot);
// The identifier of button `index` of a slot; button 0's also names the group.
int PoseSlotButtonId(int slot, int index);

}  // namespace mirtala::ui
