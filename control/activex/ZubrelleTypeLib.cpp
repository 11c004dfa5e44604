// Descriptions of the control's interfaces, as its type library holds them.
#include "control/activex/ZubrelleTypeLib.h"

#include "control/ZubrelleInterface.h"

namespace zubrelle {

using namespace com;

namespace {

constexpr ParamDesc kIndex[] = {{"Index", VT_I2}};
constexpr ParamDesc kAppearance[] = {{"HeadGenus", VT_I2},   {"HeadVariant", VT_I2}, {"BodyGenus", VT_I2},
                                     {"BodyVariant", VT_I2}, {"LegsGenus", VT_I2},   {"LegsVariant", VT_I2},
                                     {"ArmsGenus", VT_I2},   {"ArmsVariant", VT_I2}, {"TailGenus", VT_I2},
                                     {"TailVariant", VT_I2}, {"Sex", VT_I2},         {"Age", VT_I2}};

constexpr ParamDesc kBack[] = {{"Back", VT_BOOL}};

constexpr MemberDesc kDispatchMembers[] = {
    {DISPID_Scale, "Scale", MemberKind::Property, VT_R4, nullptr, 0, nullptr},
    {DISPID_Friction, "Friction", MemberKind::Property, VT_BOOL, nullptr, 0, nullptr},
    {DISPID_Angle, "Angle", MemberKind::Property, VT_R8, nullptr, 0, nullptr},
    {DISPID_PoseCount, "PoseCount", MemberKind::Property, VT_I2, nullptr, 0, nullptr},
    {DISPID_SetAppearance, "SetAppearance", MemberKind::Method, VT_EMPTY, kAppearance, 12, nullptr},
    {DISPID_PoseString, "PoseString", MemberKind::Property, VT_BSTR, kIndex, 1, nullptr},
    {DISPID_BORDERSTYLE, "BorderStyle", MemberKind::Property, VT_I2, nullptr, 0, nullptr},
    {DISPID_ABOUTBOX, "AboutBox", MemberKind::Method, VT_EMPTY, nullptr, 0, nullptr},
    {DISPID_LoadError, "LoadError", MemberKind::ReadOnlyProperty, VT_BSTR, nullptr, 0,
     "Why the body of the appearance did not load; empty when it did"},
    {DISPID_ImagesDirectory, "ImagesDirectory", MemberKind::Property, VT_BSTR, nullptr, 0,
     "The folder of sprite files in use; put a folder to try it, or empty for the host product's"},
    {DISPID_BodyDataDirectory, "BodyDataDirectory", MemberKind::Property, VT_BSTR, nullptr, 0,
     "The folder of attachment files in use; put a folder to try it, or empty for the host product's"},
    {DISPID_ReloadBody, "ReloadBody", MemberKind::Method, VT_EMPTY, nullptr, 0,
     "Finds the folders again and reloads the body"},
    {DISPID_FrameCount, "FrameCount", MemberKind::ReadOnlyProperty, VT_I4, nullptr, 0,
     "The frames of one cycle of the animation: 1 for a still picture, 0 when the body did not load"},
    {DISPID_CurrentFrame, "CurrentFrame", MemberKind::ReadOnlyProperty, VT_I4, nullptr, 0,
     "The frame the picture shows, from 0; a change of the animation starts again at 0"},
    {DISPID_Playing, "Playing", MemberKind::Property, VT_BOOL, nullptr, 0,
     "TRUE: the animation runs; FALSE: it holds the frame shown, also when the picture is painted again"},
    {DISPID_StepFrame, "StepFrame", MemberKind::Method, VT_EMPTY, kBack, 1,
     "Shows the next frame, or with Back TRUE the one before, as far back as the picture remembers"},
    {DISPID_FrameOffset, "FrameOffset", MemberKind::Property, VT_I4, nullptr, 0,
     "0: paints show the animation; otherwise they draw the frame this many after the one shown (before it "
     "when negative, around the loop) and leave the animation as it is"},
};

constexpr MemberDesc kEventMembers[] = {
    {DISPID_CLICK, "Click", MemberKind::Method, VT_EMPTY, nullptr, 0, nullptr},
};

// One type per pair of lines, laid out by hand.
// clang-format off
constexpr TypeDesc kTypes[] = {
    {DIID__DZubrelle, "_DZubrelle", "Dispatch interface for Zubrelle Control", TypeKind::Dispatch,
     kDispatchMembers, sizeof kDispatchMembers / sizeof kDispatchMembers[0], {}, {}},
    {DIID__DZubrelleEvents, "_DZubrelleEvents", "Event interface for Zubrelle Control", TypeKind::Dispatch,
     kEventMembers, 1, {}, {}},
    {CLSID_Zubrelle, "Zubrelle", "Zubrelle Control", TypeKind::CoClass, nullptr, 0, DIID__DZubrelle,
     DIID__DZubrelleEvents},
};
// clang-format on

constexpr TypeLibDesc kLibrary{LIBID_ZUBRELLELib,
                               kTypeLibMajor,
                               kTypeLibMinor,
                               0x409,
                               "ZUBRELLELib",
                               "Zubrelle ActiveX Control module",
                               "Zubrelle.hlp",
                               kTypes,
                               3};

}  // namespace

const TypeLibDesc& ZubrelleTypeLib() { return kLibrary; }
const TypeDesc& DZubrelleType() { return kTypes[0]; }
const TypeDesc& DZubrelleEventsType() { return kTypes[1]; }

}  // namespace zubrelle
