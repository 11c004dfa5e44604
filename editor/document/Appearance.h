// The preview appearance of a document: sex, age, then genus and variant of
// head, body, legs, arms and tail. It only affects pictures, never the genome.
#pragma once

#include <array>
#include <cstdint>

namespace mirtala {

class Genome;

inline constexpr int kBodyRegions = 5;  // head, body, legs, arms, tail

struct Appearance {
    std::int32_t sex = 0;  // 0 male, 1 female
    std::int32_t age = 0;  // life stage 0 to 6
    std::int32_t headGenus = 0;
    std::int32_t headVariant = 0;
    std::int32_t bodyGenus = 0;
    std::int32_t bodyVariant = 0;
    std::int32_t legsGenus = 0;
    std::int32_t legsVariant = 0;
    std::int32_t armsGenus = 0;
    std::int32_t armsVariant = 0;
    std::int32_t tailGenus = 0;
    std::int32_t tailVariant = 0;

    // The twelve values in record order.
    std::array<std::int32_t, 12> Values() const;
    static Appearance FromValues(const std::array<std::int32_t, 12>& v);

    // Genus and variant of body region 0 to 4; other regions are ignored.
    void SetRegion(int region, std::int32_t genus, std::int32_t variant);

    // The order the picture control's SetAppearance takes: the five genus and
    // variant pairs, then sex and age, each cut to 16 bits.
    std::array<std::int16_t, 12> ControlOrder() const;

    friend bool operator==(const Appearance&, const Appearance&) = default;
};

// Sex and age 0; each region's genus and variant from the genome's appearance genes.
Appearance AppearanceFromGenome(const Genome& genome);

}  // namespace mirtala
