// Automation values: a type tag and one of the types the control's interface
// uses, with the conversions between them.
#pragma once

#include <cstdint>

#include "platform/com/Bstr.h"
#include "platform/com/HResult.h"

namespace com {

using VARTYPE = std::uint16_t;
inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_BOOL = 11;

using VARIANT_BOOL = std::int16_t;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    union {
        std::int16_t iVal;
        std::int32_t lVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        BSTR bstrVal;
    };
    VARIANT() : dblVal(0) {}
};

void VariantInit(VARIANT* v);
// Frees an owned string and leaves the value empty.
HRESULT VariantClear(VARIANT* v);
// Deep copy: a string is copied, never shared.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);
// Converts src to type vt into dest (which is cleared first). Numbers round
// half to even into integers; out of range gives DISP_E_OVERFLOW, text that is
// not a number DISP_E_TYPEMISMATCH, an unknown type DISP_E_BADVARTYPE.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, VARTYPE vt);

// Small constructors for hosts building argument lists.
VARIANT MakeI2(std::int16_t v);
VARIANT MakeI4(std::int32_t v);
VARIANT MakeR4(float v);
VARIANT MakeR8(double v);
VARIANT MakeBool(bool v);
VARIANT MakeBstr(std::string_view utf8);  // owns a new string

}  // namespace com
