// Automation value conversions.
#include "platform/com/Variant.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace com {

namespace {

bool IsKnown(VARTYPE vt) {
    return vt == VT_EMPTY || vt == VT_I2 || vt == VT_I4 || vt == VT_R4 || vt == VT_R8 || vt == VT_BSTR || vt == VT_BOOL;
}

// Reads a whole string as a number in the "C" format, blanks around allowed.
bool ParseNumber(const std::string& text, double* out) {
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t') ++begin;
    if (!*begin) return false;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(begin, &end);
    if (end == begin) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end) return false;
    *out = v;
    return true;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return i == a.size() && !b[i];
}

// The value of src as a double; strings are parsed, booleans are -1 or 0.
HRESULT AsDouble(const VARIANT& src, double* out) {
    switch (src.vt) {
        case VT_EMPTY: *out = 0; return S_OK;
        case VT_I2: *out = src.iVal; return S_OK;
        case VT_I4: *out = src.lVal; return S_OK;
        case VT_R4: *out = src.fltVal; return S_OK;
        case VT_R8: *out = src.dblVal; return S_OK;
        case VT_BOOL: *out = src.boolVal ? -1.0 : 0.0; return S_OK;
        case VT_BSTR: {
            std::string text = Utf8FromBstr(src.bstrVal);
            if (EqualsIgnoringCase(text, "true")) {
                *out = -1;
                return S_OK;
            }
            if (EqualsIgnoringCase(text, "false")) {
                *out = 0;
                return S_OK;
            }
            return ParseNumber(text, out) ? S_OK : DISP_E_TYPEMISMATCH;
        }
        default: return DISP_E_BADVARTYPE;
    }
}

HRESULT ToInteger(double v, double lo, double hi, std::int32_t* out) {
    if (std::isnan(v)) return DISP_E_OVERFLOW;
    double r = std::nearbyint(v);  // the default mode rounds half to even
    if (r < lo || r > hi) return DISP_E_OVERFLOW;
    *out = static_cast<std::int32_t>(r);
    return S_OK;
}

std::string Format(const VARIANT& src) {
    char buf[64];
    switch (src.vt) {
        case VT_I2: std::snprintf(buf, sizeof buf, "%d", src.iVal); break;
        case VT_I4: std::snprintf(buf, sizeof buf, "%d", src.lVal); break;
        case VT_R4: std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(src.fltVal)); break;
        case VT_R8: std::snprintf(buf, sizeof buf, "%.15g", src.dblVal); break;
        case VT_BOOL: return src.boolVal ? "True" : "False";
        default: return {};
    }
    return buf;
}

}  // namespace

void VariantInit(VARIANT* v) {
    v->vt = VT_EMPTY;
    v->dblVal = 0;
}

HRESULT VariantClear(VARIANT* v) {
    if (!v) return E_POINTER;
    if (v->vt == VT_BSTR) SysFreeString(v->bstrVal);
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
    if (!dest || !src) return E_POINTER;
    if (!IsKnown(src->vt)) return DISP_E_BADVARTYPE;
    if (dest == src) return S_OK;
    VariantClear(dest);
    if (src->vt == VT_BSTR) {
        BSTR copy = src->bstrVal ? SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal)) : nullptr;
        if (src->bstrVal && !copy) return E_OUTOFMEMORY;
        dest->vt = VT_BSTR;
        dest->bstrVal = copy;
        return S_OK;
    }
    dest->vt = src->vt;
    std::memcpy(&dest->dblVal, &src->dblVal, sizeof(double));  // the whole union
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, VARTYPE vt) {
    if (!dest || !src) return E_POINTER;
    if (!IsKnown(src->vt) || !IsKnown(vt)) return DISP_E_BADVARTYPE;
    if (src->vt == vt) {
        VARIANT copy;
        HRESULT hr = VariantCopy(&copy, src);
        if (FAILED(hr)) return hr;
        VariantClear(dest);
        *dest = copy;
        return S_OK;
    }
    VARIANT result;
    if (vt == VT_BSTR) {
        std::string text = Format(*src);
        result.vt = VT_BSTR;
        result.bstrVal = BstrFromUtf8(text);
        if (!result.bstrVal) return E_OUTOFMEMORY;
    } else if (vt == VT_EMPTY) {
        return DISP_E_TYPEMISMATCH;
    } else {
        double v = 0;
        HRESULT hr = AsDouble(*src, &v);
        if (FAILED(hr)) return hr;
        result.vt = vt;
        switch (vt) {
            case VT_I2: {
                std::int32_t i = 0;
                if (HRESULT h = ToInteger(v, -32768.0, 32767.0, &i); FAILED(h)) return h;
                result.iVal = static_cast<std::int16_t>(i);
                break;
            }
            case VT_I4: {
                std::int32_t i = 0;
                if (HRESULT h = ToInteger(v, -2147483648.0, 2147483647.0, &i); FAILED(h)) return h;
                result.lVal = i;
                break;
            }
            case VT_R4:
                if (std::isfinite(v) && std::fabs(v) > FLT_MAX) return DISP_E_OVERFLOW;
                result.fltVal = static_cast<float>(v);
                break;
            case VT_R8: result.dblVal = v; break;
            case VT_BOOL: result.boolVal = v != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
            default: return DISP_E_BADVARTYPE;
        }
    }
    VariantClear(dest);
    *dest = result;
    return S_OK;
}

VARIANT MakeI2(std::int16_t v) {
    VARIANT r;
    r.vt = VT_I2;
    r.iVal = v;
    return r;
}
VARIANT MakeI4(std::int32_t v) {
    VARIANT r;
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}
VARIANT MakeR4(float v) {
    VARIANT r;
    r.vt = VT_R4;
    r.fltVal = v;
    return r;
}
VARIANT MakeR8(double v) {
    VARIANT r;
    r.vt = VT_R8;
    r.dblVal = v;
    return r;
}
VARIANT MakeBool(bool v) {
    VARIANT r;
    r.vt = VT_BOOL;
    r.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
    return r;
}
VARIANT MakeBstr(std::string_view utf8) {
    VARIANT r;
    r.vt = VT_BSTR;
    r.bstrVal = BstrFromUtf8(utf8);
    return r;
}

}  // namespace com
