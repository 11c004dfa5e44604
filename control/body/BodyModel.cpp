// Loading and clearing a body model.
#include "control/body/BodyModel.h"

#include "control/body/PartLoader.h"

namespace zubrelle {

int BodyModel::Load(std::string_view imagesDirectory, std::string_view bodyDataDirectory, std::int32_t headGenus,
                    std::int32_t bodyGenus, std::int32_t legsGenus, std::int32_t armsGenus, std::int32_t tailGenus,
                    std::int32_t sex, std::int32_t age, std::int32_t headVariant, std::int32_t bodyVariant,
                    std::int32_t legsVariant, std::int32_t armsVariant, std::int32_t tailVariant,
                    std::string& errorText) {
    Clear();
    std::uint64_t decodedBytes = 0;
    DirectoryListings listings;  // each folder listed once for all fourteen parts
    for (int part = 1; part <= kPartCount; ++part) {
        std::int32_t genus = 0;
        std::int32_t variant = 0;
        if (part == kHead) {
            genus = headGenus;
            variant = headVariant;
        } else if (part == kBody) {
            genus = bodyGenus;
            variant = bodyVariant;
        } else if (part <= kRightFoot) {
            genus = legsGenus;
            variant = legsVariant;
        } else if (part <= kRightRadius) {
            genus = armsGenus;
            variant = armsVariant;
        } else {
            genus = tailGenus;
            variant = tailVariant;
        }
        if (!LoadPart(part, genus, sex, age, variant, imagesDirectory, bodyDataDirectory, m_parts[std::size_t(part)],
                      errorText, &decodedBytes, &listings)) {
            Clear();
            return -1;
        }
    }
    m_loaded = 1;
    return 0;
}

int BodyModel::Load(std::string_view imagesDirectory, std::string_view bodyDataDirectory, const Appearance& a,
                    std::string& errorText) {
    return Load(imagesDirectory, bodyDataDirectory, a.headGenus, a.bodyGenus, a.legsGenus, a.armsGenus, a.tailGenus,
                a.sex, a.age, a.headVariant, a.bodyVariant, a.legsVariant, a.armsVariant, a.tailVariant, errorText);
}

void BodyModel::Clear() {
    m_loaded = 0;
    for (PartData& part : m_parts) {
        part = PartData{};
    }
}

}  // namespace zubrelle
