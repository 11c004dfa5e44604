// The appearance record and its preset from a genome's appearance genes.
#include "editor/document/Appearance.h"

#include "editor/genome/Genome.h"

namespace mirtala {

std::array<std::int32_t, 12> Appearance::Values() const {
    return {sex,       age,         headGenus, headVariant, bodyGenus, bodyVariant,
            legsGenus, legsVariant, armsGenus, armsVariant, tailGenus, tailVariant};
}

Appearance Appearance::FromValues(const std::array<std::int32_t, 12>& v) {
    return Appearance{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]};
}

void Appearance::SetRegion(int region, std::int32_t genus, std::int32_t variant) {
    std::int32_t* pairs[kBodyRegions][2] = {{&headGenus, &headVariant},
                                            {&bodyGenus, &bodyVariant},
                                            {&legsGenus, &legsVariant},
                                            {&armsGenus, &armsVariant},
                                            {&tailGenus, &tailVariant}};
    if (region < 0 || region >= kBodyRegions) return;
    *pairs[region][0] = genus;
    *pairs[region][1] = variant;
}

std::array<std::int16_t, 12> Appearance::ControlOrder() const {
    const auto v = Values();
    std::array<std::int16_t, 12> out{};
    for (int i = 0; i < 10; ++i) out[i] = static_cast<std::int16_t>(v[i + 2]);
    out[10] = static_cast<std::int16_t>(sex);
    out[11] = static_cast<std::int16_t>(age);
    return out;
}

Appearance AppearanceFromGenome(const Genome& genome) {
    Appearance a;
    for (int region = 0; region < kBodyRegions; ++region) {
        int genus = 0, variant = 0;
        genome.GetAppearance(region, genus, variant);
        a.SetRegion(region, genus, variant);
    }
    return a;
}

}  // namespace mirtala
