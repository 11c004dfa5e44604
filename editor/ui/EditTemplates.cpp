// The templates of the pose dialog and the gait dialog, and the pose
// dialog's slot buttons.
#include "editor/ui/DialogResources.h"
#include "editor/ui/EditDialogIds.h"
#include "editor/ui/TemplateDialog.h"

#include <array>

namespace mirtala::ui {

namespace {

struct SlotRow {
    int slot;
    const char* part;        // the start of each button's accessible name
    const char* label;       // the row's label, or null beside a row that has one
    int lx, ly, lw, lh;      // the label's rectangle
    int y, x;                // the first button
    std::array<int, 8> ids;  // in button order; 0 past the alphabet's end
};

// In the template's order: the creature's left limbs at x 41, its right ones at x 109.
constexpr SlotRow kSlotRows[] = {
    {0, "Direction", "&Direction", 4, 6, 29, 8, 4, 41, {1012, 1033, 1034, 1035, 1036, 1037, 1038}},
    {1, "Head", "&Head", 4, 22, 18, 8, 20, 41, {1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046}},
    {2, "Body", "&Body", 4, 38, 17, 8, 36, 41, {1047, 1048, 1049, 1050, 1053}},
    {9, "Left Humerus", "&Humerous", 4, 68, 33, 8, 65, 41, {1051, 1052, 1054, 1055, 1056}},
    {11, "Right Humerus", nullptr, 0, 0, 0, 0, 65, 109, {1057, 1058, 1059, 1060, 1061}},
    {10, "Left Radius", "&Radius", 4, 84, 23, 8, 81, 41, {1062, 1063, 1064, 1065, 1066}},
    {12, "Right Radius", nullptr, 0, 0, 0, 0, 81, 109, {1067, 1068, 1069, 1070, 1071}},
    {3, "Left Thigh", "&Thigh", 4, 100, 19, 8, 97, 41, {1082, 1083, 1084, 1085, 1086}},
    {6, "Right Thigh", nullptr, 0, 0, 0, 0, 97, 109, {1087, 1088, 1089, 1090, 1091}},
    {4, "Left Shin", "&Shin", 4, 116, 15, 8, 113, 41, {1092, 1093, 1094, 1095, 1096}},
    {7, "Right Shin", nullptr, 0, 0, 0, 0, 113, 109, {1097, 1098, 1099, 1100, 1101}},
    {5, "Left Foot", "&Foot", 4, 132, 15, 8, 129, 41, {1102, 1103, 1104, 1105, 1106}},
    {8, "Right Foot", nullptr, 0, 0, 0, 0, 129, 109, {1107, 1108, 1109, 1110, 1111}},
    {14, "Tail Tip", "Tail &Tip", 176, 115, 24, 8, 113, 210, {1112, 1113, 1114, 1115, 1116}},
    {13, "Tail Root", "Tail &Root", 176, 131, 30, 8, 129, 210, {1117, 1118, 1119, 1120, 1121}},
};

const SlotRow* RowOf(int slot) {
    for (const SlotRow& row : kSlotRows)
        if (row.slot == slot) return &row;
    return nullptr;
}

// The templates read as one control per line, laid out by hand.
// clang-format off
DialogTemplate MakePose() {
    using K = ControlKind;
    DialogTemplate t{"Pose", 291, 164, {}};
    auto& c = t.controls;
    c.push_back({IDOK, K::DefaultButton, "OK", 129, 146, 50, 14});
    c.push_back({IDCANCEL, K::PushButton, "Cancel", 183, 146, 50, 14});
    c.push_back({id::Apply, K::PushButton, "Apply", 237, 146, 50, 14, StyleDisabled});
    c.push_back({id::PosePicture, K::Picture, "", 176, 4, 111, 104, StyleNone, {}, "Pose Picture"});
    c.push_back({-1, K::Static, "Left", 65, 53, 13, 8});
    c.push_back({-1, K::Static, "Right", 130, 53, 18, 8});
    for (const SlotRow& row : kSlotRows) {
        if (row.label) c.push_back({-1, K::Static, row.label, row.lx, row.ly, row.lw, row.lh});
        const QString alphabet = PoseSlotAlphabet(row.slot);
        for (int i = 0; i < alphabet.size(); ++i) {
            const QString character = alphabet.mid(i, 1);
            c.push_back({row.ids[std::size_t(i)], K::PushLikeRadio, character, row.x + 12 * i, row.y, 12, 12,
                         i == 0 ? StyleGroup : StyleNone, {}, QStringLiteral("%1 %2").arg(row.part, character)});
        }
    }
    return t;
}

DialogTemplate MakeGait() {
    using K = ControlKind;
    // The gait dialog's template with the pose choice labelled, and a row under the preview for the
    // transport and Export, above OK, Cancel and Apply.
    DialogTemplate t{"Gait", 264, 226, {}};
    auto& c = t.controls;
    for (int k = 0; k < 8; ++k)
        c.push_back({id::FirstThumbnail + k, K::Picture, "", 4 + 32 * k, 4, 32, 28, StyleNone, {},
                     QStringLiteral("Step %1 Picture").arg(k + 1)});
    for (int k = 0; k < 8; ++k)
        c.push_back({id::FirstStep + k, K::PushLikeRadio, QString::number(k + 1), 4 + 32 * k, 32, 32, 12,
                     k == 0 ? StyleGroup : StyleNone, {}, QStringLiteral("Step %1").arg(k + 1)});
    c.push_back({id::StepPicture, K::Picture, "", 4, 48, 108, 88, StyleNone, {}, "Step Picture"});
    c.push_back({id::Preview, K::Picture, "", 116, 48, 144, 124, StyleNone, {}, "Preview"});
    c.push_back({-1, K::Static, "P&ose:", 4, 143, 20, 8});
    c.push_back({id::GaitPoseList, K::DropDownList, "", 26, 140, 86, 124, StyleNone, {}, "Pose"});
    c.push_back({id::Insert, K::PushButton, "&Insert", 4, 158, 52, 14});
    c.push_back({id::Remove, K::PushButton, "&Remove", 60, 158, 52, 14});
    c.push_back({-1, K::Static, "&Angle", 117, 177, 19, 8});
    c.push_back({id::Angle, K::Edit, "", 145, 174, 36, 12, StyleNone, {}, "Angle"});
    c.push_back({id::AngleStep, K::UpDown, "", 170, 174, 11, 12, StyleNone, {}, "Angle Step"});
    c.push_back({id::Friction, K::CheckBox, "&Friction", 197, 176, 39, 10});
    c.push_back({id::Play, K::PushButton, "&Pause", 4, 190, 36, 14});
    c.push_back({id::StepFrame, K::PushButton, "&Step", 44, 190, 36, 14});
    c.push_back({id::FrameReadout, K::Static, "", 84, 193, 58, 8});
    c.push_back({-1, K::Static, "Spee&d:", 144, 193, 24, 8});
    c.push_back({id::Speed, K::DropDownList, "", 170, 190, 34, 60, StyleNone,
                 {QStringLiteral("\u00BC\u00D7"), QStringLiteral("\u00BD\u00D7"), QStringLiteral("1\u00D7"),
                  QStringLiteral("2\u00D7")},
                 "Speed"});
    c.push_back({id::Export, K::PushButton, "E&xport...", 208, 190, 52, 14, StyleNone, {}, "Export"});
    c.push_back({IDOK, K::DefaultButton, "OK", 96, 208, 52, 14});
    c.push_back({IDCANCEL, K::PushButton, "Cancel", 152, 208, 52, 14});
    c.push_back({id::Apply, K::PushButton, "Apply", 208, 208, 52, 14, StyleDisabled});
    c.push_back({id::OnionSkin, K::CheckBox, "O&nion skin", 4, 176, 56, 10, StyleNone, {}, "Onion skin"});
    return t;
}
// clang-format on

}  // namespace

const char* PoseSlotAlphabet(int slot) {
    if (slot == 0) return "0123X?!";
    if (slot == 1) return "012345X?";
    return slot > 1 && slot < kPoseSlotCount ? "0123X" : "";
}

int PoseSlotButtonId(int slot, int index) {
    const SlotRow* row = RowOf(slot);
    return row && index >= 0 && index < 8 ? row->ids[std::size_t(index)] : 0;
}

const DialogTemplate& PoseTemplate() {
    static const DialogTemplate dialog = MakePose();
    return dialog;
}

const DialogTemplate& GaitTemplate() {
    static const DialogTemplate dialog = MakeGait();
    return dialog;
}

}  // namespace mirtala::ui
