// The Zubrelle picture control's interface, as the module and every host
// compile against it: the type library, interface, class and programmatic
// identifiers, the dispatch member numbers, the animation timer and the type
// library version. Constants only: a host includes this header and still
// never links the module, which it finds through the registry.
#pragma once

#include <cstdint>

#include "platform/com/Dispatch.h"
#include "platform/com/Guid.h"

namespace zubrelle {

inline constexpr com::GUID LIBID_ZUBRELLELib{
    0x11DF2DCF, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};
inline constexpr com::IID DIID__DZubrelle{0x11DF2DD0, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};
inline constexpr com::IID DIID__DZubrelleEvents{
    0x11DF2DD1, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};
inline constexpr com::CLSID CLSID_Zubrelle{
    0x11DF2DD2, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};
inline constexpr com::CLSID CLSID_ZubrellePropPage{
    0x11DF2DD3, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};

inline constexpr const char* kControlProgId = "ZUBRELLE.ZubrelleCtrl.1";
inline constexpr const char* kPropPageProgId = "ZUBRELLE.ZubrellePropPage.1";

// The type library's version, which is also the control's and the module's.
inline constexpr std::uint16_t kTypeLibMajor = 1;
inline constexpr std::uint16_t kTypeLibMinor = 0;

// What the class's registration tells a host about it: recompose on resize,
// cannot link inside, inside-out, activate when visible, set client site first.
inline constexpr std::uint32_t kControlMiscStatus = 0x20191;

// Members of _DZubrelle.
inline constexpr com::DISPID DISPID_Scale = 1;
inline constexpr com::DISPID DISPID_Friction = 2;
inline constexpr com::DISPID DISPID_Angle = 3;
inline constexpr com::DISPID DISPID_PoseCount = 4;
inline constexpr com::DISPID DISPID_SetAppearance = 5;
inline constexpr com::DISPID DISPID_PoseString = 6;
// Appended later; the members above keep their numbers.
inline constexpr com::DISPID DISPID_LoadError = 7;
inline constexpr com::DISPID DISPID_ImagesDirectory = 8;
inline constexpr com::DISPID DISPID_BodyDataDirectory = 9;
inline constexpr com::DISPID DISPID_ReloadBody = 10;
inline constexpr com::DISPID DISPID_FrameCount = 11;
inline constexpr com::DISPID DISPID_CurrentFrame = 12;
inline constexpr com::DISPID DISPID_Playing = 13;
inline constexpr com::DISPID DISPID_StepFrame = 14;
inline constexpr com::DISPID DISPID_FrameOffset = 15;
// Stock members, with the numbers every host knows them by.
inline constexpr com::DISPID DISPID_BORDERSTYLE = -504;
inline constexpr com::DISPID DISPID_ABOUTBOX = -552;
// The one event of _DZubrelleEvents.
inline constexpr com::DISPID DISPID_CLICK = -600;

// The timer the control asks its site for while it animates, and its period.
inline constexpr std::uint32_t kAnimationTimerId = 101;
inline constexpr std::uint32_t kAnimationPeriodMs = 100;

}  // namespace zubrelle
