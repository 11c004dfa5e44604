// Automation values and strings: conversions between the interface's types,
// their errors, and strings crossing as UTF-16 with a length prefix.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "platform/com/Variant.h"

using namespace com;

namespace {

struct Coercion {
    const char* name;
    VARIANT (*make)();
    VARTYPE to;
    HRESULT hr;
    double number;     // expected value when numeric
    const char* text;  // expected value when a string
};

double Numeric(const VARIANT& v) {
    return v.vt == VT_I2     ? v.iVal
           : v.vt == VT_I4   ? v.lVal
           : v.vt == VT_R4   ? v.fltVal
           : v.vt == VT_R8   ? v.dblVal
           : v.vt == VT_BOOL ? v.boolVal
                             : NAN;
}

}  // namespace

class VariantCoercion : public testing::TestWithParam<Coercion> {};

TEST_P(VariantCoercion, ConvertsOrRefusesLeavingTheDestinationAlone) {
    const Coercion& c = GetParam();
    VARIANT src = c.make(), dest = MakeI4(99);
    EXPECT_EQ(VariantChangeType(&dest, &src, c.to), c.hr);
    bool ok = c.hr == S_OK;
    EXPECT_EQ(dest.vt, ok ? c.to : VT_I4);
    if (ok && c.to == VT_BSTR) {
        EXPECT_EQ(Utf8FromBstr(dest.bstrVal), c.text);
    } else {
        EXPECT_EQ(Numeric(dest), ok ? c.number : 99);
    }
    VariantClear(&src);
    VariantClear(&dest);
}

// Text, zero and non-zero reaching a property are held by the control's property rules.
INSTANTIATE_TEST_SUITE_P(
    Table, VariantCoercion,
    testing::Values(Coercion{"I4ToI2", [] { return MakeI4(-300); }, VT_I2, S_OK, -300, nullptr},
                    Coercion{"I4ToI2Overflow", [] { return MakeI4(32768); }, VT_I2, DISP_E_OVERFLOW, 0, nullptr},
                    Coercion{"R8ToI2AtTheLimit", [] { return MakeR8(32767.4); }, VT_I2, S_OK, 32767, nullptr},
                    Coercion{"R8ToI2RoundsHalfToEven", [] { return MakeR8(2.5); }, VT_I2, S_OK, 2, nullptr},
                    Coercion{"R8ToI2RoundsHalfUpFromOdd", [] { return MakeR8(-3.5); }, VT_I2, S_OK, -4, nullptr},
                    Coercion{"R4ToI4", [] { return MakeR4(7.75f); }, VT_I4, S_OK, 8, nullptr},
                    Coercion{"NanToI4", [] { return MakeR8(NAN); }, VT_I4, DISP_E_OVERFLOW, 0, nullptr},
                    Coercion{"R8ToR4Overflow", [] { return MakeR8(1e300); }, VT_R4, DISP_E_OVERFLOW, 0, nullptr},
                    Coercion{"R8ToR4AtTheLimit", [] { return MakeR8(FLT_MAX); }, VT_R4, S_OK, double(FLT_MAX), nullptr},
                    Coercion{"BoolToI2", [] { return MakeBool(true); }, VT_I2, S_OK, -1, nullptr},
                    Coercion{"TextToR8", [] { return MakeBstr(" 12.5 "); }, VT_R8, S_OK, 12.5, nullptr},
                    Coercion{"TrueTextToBool", [] { return MakeBstr("True"); }, VT_BOOL, S_OK, VARIANT_TRUE, nullptr},
                    Coercion{"CapitalsToBool", [] { return MakeBstr("FALSE"); }, VT_BOOL, S_OK, VARIANT_FALSE, nullptr},
                    Coercion{"TrailingJunk", [] { return MakeBstr("3x"); }, VT_I4, DISP_E_TYPEMISMATCH, 0, nullptr},
                    Coercion{"EmptyText", [] { return MakeBstr(""); }, VT_I4, DISP_E_TYPEMISMATCH, 0, nullptr},
                    Coercion{"EmptyToI4", [] { return VARIANT(); }, VT_I4, S_OK, 0, nullptr},
                    Coercion{"I2ToText", [] { return MakeI2(-12); }, VT_BSTR, S_OK, 0, "-12"},
                    Coercion{"R8ToText", [] { return MakeR8(0.1); }, VT_BSTR, S_OK, 0, "0.1"},
                    Coercion{"BoolToText", [] { return MakeBool(false); }, VT_BSTR, S_OK, 0, "False"},
                    Coercion{"UnknownTarget", [] { return MakeI2(1); }, VARTYPE(9), DISP_E_BADVARTYPE, 0, nullptr},
                    Coercion{"UnknownSource",
                             [] {
                                 VARIANT v = MakeI2(1);
                                 v.vt = VARTYPE(9);
                                 return v;
                             },
                             VT_I2, DISP_E_BADVARTYPE, 0, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// Characters of every length are held by the edges test below.
TEST(Bstr, KeepsItsLengthAndConvertsUtf8BothWaysReplacingBrokenSequences) {
    BSTR b = SysAllocStringLen(u"a\0b", 3);
    EXPECT_EQ(Utf8FromBstr(b), std::string("a\0b", 3));
    SysFreeString(b);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(Utf8FromBstr(nullptr), "");
    EXPECT_EQ(Utf16FromUtf8("a\xC3"), (std::u16string{u'a', 0xFFFD}));
    EXPECT_EQ(Utf16FromUtf8("\xE0\x80\x80"), (std::u16string{0xFFFD, 0xFFFD, 0xFFFD}));  // overlong
    EXPECT_EQ(Utf16FromUtf8("\xED\xA0\x80").front(), char16_t(0xFFFD));                  // a surrogate
    EXPECT_EQ(Utf8FromUtf16(std::u16string{0xD800, u'x'}), "\xEF\xBF\xBDx");
}

// The edges of each encoded length, and surrogates at the start and alone.
TEST(Bstr, Utf16AndUtf8AgreeAtEveryLengthEdge) {
    const struct {
        std::u16string utf16;
        const char* utf8;
        bool roundTrips;
    } edges[] = {{{0x7F}, "\x7F", true},
                 {{0x80}, "\xC2\x80", true},
                 {{0xE8, u'x'}, "\xC3\xA8x", true},
                 {{0x7FE}, "\xDF\xBE", true},
                 {{0x800}, "\xE0\xA0\x80", true},
                 {{0xFFFF}, "\xEF\xBF\xBF", true},
                 {{0xD800, 0xDC00, u'a'},
                  "\xF0\x90\x80\x80"
                  "a",
                  true},                                        // U+10000
                 {{0xDBFF, 0xDFFF}, "\xF4\x8F\xBF\xBF", true},  // U+10FFFF
                 // A lone surrogate reads as U+FFFD, so these do not round-trip.
                 {{0xDFFF, u'a'},
                  "\xEF\xBF\xBD"
                  "a",
                  false},
                 {{u'a', 0xDBFF}, "a\xEF\xBF\xBD", false}};
    for (const auto& e : edges) {
        EXPECT_EQ(Utf8FromUtf16(e.utf16), e.utf8) << e.utf8;
        if (e.roundTrips) {
            EXPECT_EQ(Utf16FromUtf8(e.utf8), e.utf16) << e.utf8;
        }
    }
}
