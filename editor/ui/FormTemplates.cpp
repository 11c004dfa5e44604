// The templates of the form view, New Pose and New Gait.
#include "editor/ui/DialogResources.h"

namespace mirtala::ui {

namespace {

QStringList GenusNames() { return {"Tovel", "Brask", "Umbrid"}; }

QStringList VariantNames() {
    QStringList names;
    for (int i = 0; i <= 25; ++i) names << QString::number(i);
    return names;
}

QStringList StageNames() { return {"Embryo", "Child", "Adolescent", "Youth", "Adult", "Old", "Senile"}; }

DialogTemplate MakeForm() {
    using K = ControlKind;
    DialogTemplate t{QString(), 356, 196, {}};
    auto& c = t.controls;
    c.push_back({-1, K::Static, "&Sex:", 8, 15, 15, 8});
    c.push_back({id::Sex, K::DropDownList, "", 35, 12, 56, 44, StyleGroup, {"Male", "Female"}, "Sex"});
    c.push_back({-1, K::Static, "&Age:", 8, 31, 16, 8});
    c.push_back({id::Age, K::DropDownList, "", 35, 28, 56, 80, StyleGroup, StageNames(), "Age"});
    c.push_back({-1, K::Static, "&Genus:", 8, 55, 24, 8});
    c.push_back({id::Genus, K::DropDownList, "", 35, 52, 44, 80, StyleGroup, GenusNames(), "Genus"});
    const char* parts[] = {"Head", "Body", "Legs", "Arms", "Tail"};
    for (int i = 0; i < 5; ++i) {
        const int y = 76 + 16 * i;
        const QString part = parts[i];
        c.push_back({-1, K::Static, "&" + part + ":", 8, y + 3, 24, 8});
        c.push_back({id::HeadGenus + i, K::DropDownList, "", 35, y, 44, 80, StyleGroup, GenusNames(), part + " Genus"});
        c.push_back(
            {id::HeadVariant + i, K::DropDownList, "", 79, y, 28, 116, StyleGroup, VariantNames(), part + " Variant"});
    }
    c.push_back({-1, K::Static, "&Poses", 112, 3, 20, 8});
    c.push_back({id::PoseList, K::ReportList, "", 112, 12, 116, 160, StyleGroup, {}, "Poses"});
    c.push_back({id::AddPose, K::PushButton, "Add", 112, 176, 36, 12, StyleGroup, {}, "Add Pose"});
    c.push_back({id::RemovePose, K::PushButton, "Remove", 152, 176, 36, 12, StyleNone, {}, "Remove Pose"});
    c.push_back({id::PoseProperties, K::PushButton, "Properties", 192, 176, 36, 12, StyleNone, {}, "Pose Properties"});
    c.push_back({-1, K::Static, "&Gaits", 232, 3, 20, 8});
    c.push_back({id::GaitList, K::ListBox, "", 232, 12, 116, 160, StyleGroup, {}, "Gaits"});
    c.push_back({id::AddGait, K::PushButton, "Add", 232, 176, 36, 12, StyleGroup, {}, "Add Gait"});
    c.push_back({id::RemoveGait, K::PushButton, "Remove", 272, 176, 36, 12, StyleNone, {}, "Remove Gait"});
    c.push_back({id::GaitProperties, K::PushButton, "Properties", 312, 176, 36, 12, StyleNone, {}, "Gait Properties"});
    return t;
}

DialogTemplate MakeNewPose() {
    using K = ControlKind;
    DialogTemplate t{"New Pose", 169, 142, {}};
    auto& c = t.controls;
    c.push_back({id::NewPoseMode, K::RadioButton, "&New Pose", 7, 7, 49, 10, StyleGroup});
    c.push_back({id::VariantMode,
                 K::RadioButton,
                 "&Variant (new switch on time for existing pose)",
                 7,
                 20,
                 157,
                 10,
                 StyleNone,
                 {},
                 "Variant"});
    c.push_back({-1, K::Static, "&Pose Name:", 7, 43, 40, 8, StyleGroup});
    c.push_back({id::PoseName, K::Edit, "", 54, 41, 108, 12, StyleNone, {}, "Pose Name"});
    c.push_back({-1, K::Static, "&Pose:", 7, 62, 19, 8});
    c.push_back({id::PoseChoice, K::DropDownList, "", 54, 59, 108, 124, StyleDisabled, {}, "Pose"});
    c.push_back({-1, K::Static, "&Switch On:", 7, 85, 36, 8});
    c.push_back({id::SwitchOn, K::DropDownList, "", 54, 82, 56, 80, StyleNone, StageNames(), "Switch On"});
    c.push_back({-1, K::Static, "* indicates a Switch On Time has already been used for this pose.", 7, 99, 155, 19});
    c.push_back({1, K::DefaultButton, "OK", 57, 121, 50, 14});
    c.push_back({2, K::PushButton, "Cancel", 112, 121, 50, 14});
    return t;
}

DialogTemplate MakeNewGait() {
    using K = ControlKind;
    DialogTemplate t{"New Gait", 167, 46, {}};
    auto& c = t.controls;
    c.push_back({-1, K::Static, "&Gait Name:", 7, 8, 36, 8});
    c.push_back({id::GaitName, K::Edit, "", 53, 7, 107, 12, StyleNone, {}, "Gait Name"});
    c.push_back({1, K::DefaultButton, "OK", 55, 25, 50, 14});
    c.push_back({2, K::PushButton, "Cancel", 110, 25, 50, 14});
    return t;
}

}  // namespace

const DialogTemplate& FormTemplate() {
    static const DialogTemplate form = MakeForm();
    return form;
}

const DialogTemplate& NewPoseTemplate() {
    static const DialogTemplate dialog = MakeNewPose();
    return dialog;
}

const DialogTemplate& NewGaitTemplate() {
    static const DialogTemplate dialog = MakeNewGait();
    return dialog;
}

}  // namespace mirtala::ui
