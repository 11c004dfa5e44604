// Identifiers of the Zubrelle control module: type library, interfaces,
// classes, programmatic identifiers and dispatch identifiers.
#pragma once

#include <cstdint>

#include "platform/com/Dispatch.h"

namespace zubrelle {

inline constexpr com::GUID LIBID_ZUBRELLELib{0x11DF2DCF, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};
inline constexpr com::IID DIID__DZubrelle{0x11DF2DD0, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};
inline constexpr com::IID DIID__DZubrelleEvents{0x11DF2DD1, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};
inline constexpr com::CLSID CLSID_Zubrelle{0x11DF2DD2, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};
inline constexpr com::CLSID CLSID_ZubrellePropPage{0x11DF2DD3, 0xA937, 0x11D2, {0x9D, 0x30, 0x00, 0x90, 0x27, 0x1E, 0xEA, 0xBE}};

inline constexpr const char* kControlProgId = "ZUBRELLE.ZubrelleCtrl.1";
inline constexpr const char* kPropPageProgId = "ZUBRELLE.ZubrellePropPage.1";

inline constexpr std::uint16_t kTypeLibMajor = 1;
inline constexpr std::uint16_t kTypeLibMinor = 0;

// Recompose on resize, cannot link inside, inside-out, activate when visible,
// set client site first.
inline constexpr std::uint32_t kControlMiscStatus = 0x20191;

inline constexpr com::DISPID DISPID_Scale = 1;
inline constexpr com::DISPID DISPID_Friction = 2;
inline constexpr com::DISPID DISPID_Angle = 3;
inline constexpr com::DISPID DISPID_PoseCount = 4;
inline constexpr com::DISPID DISPID_SetAppearance = 5;
inline constexpr com::DISPID DISPID_PoseString = 6;
// Appended later; the members above keep their identifiers.
inline constexpr com::DISPID DISPID_LoadError = 7;
inline constexpr com::DISPID DISPID_ImagesDirectory = 8;
inline constexpr com::DISPID DISPID_BodyDataDirectory = 9;
inline constexpr com::DISPID DISPID_ReloadBody = 10;
inline constexpr com::DISPID DISPID_BORDERSTYLE = -504;
inline constexpr com::DISPID DISPID_ABOUTBOX = -552;
inline constexpr com::DISPID DISPID_CLICK = -600;

inline constexpr std::uint32_t kAnimationTimerId = 101;
inline constexpr std::uint32_t kAnimationPeriodMs = 100;

}  // namespace zubrelle
