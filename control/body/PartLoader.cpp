// Loading one part: sprite search, attachment search (each from the requested values),
// then ten images and their points.
#include "control/body/PartLoader.h"

#include "control/body/AttachmentReader.h"
#include "control/body/BodyFiles.h"
#include "control/body/SpriteDecoder.h"

namespace zubrelle {
namespace {

template <std::size_t N>
std::string_view NameOf(const std::array<std::string_view, N>& names, int index) {
    return (index >= 0 && std::size_t(index) < N) ? names[std::size_t(index)] : "unknown";
}

std::string MissingFileMessage(std::string_view kind, std::string_view extension, int part, int genus, int sex, int age,
                               int variant, std::string_view directory) {
    const long long digit = static_cast<long long>(genus) + 4LL * sex;
    std::string text = "Unable to find a ";
    text += NameOf(PartNames, part);
    text += ' ';
    text += kind;
    text += " file for ";
    text += NameOf(AgeNames, age);
    text += ' ';
    text += NameOf(SexNames, sex);
    text += ' ';
    text += NameOf(GenusNames, genus);
    text += " of variant ";
    text += char(static_cast<unsigned char>('A' + static_cast<unsigned>(variant)));
    text += ".\n[Tried '";
    text += directory;
    text += BodyFileStem(part, int(digit % 256), age, variant);
    text += extension;
    text += "']";
    return text;
}

}  // namespace

bool LoadPart(int part, int genus, int sex, int age, int variant, std::string_view imagesDirectory,
              std::string_view bodyDataDirectory, PartData& data, std::string& errorText, std::uint64_t* bodyBytes,
              DirectoryListings* listings) {
    std::optional<BodyFile> sprite = FindBodyFile(imagesDirectory, part, genus, sex, age, variant, ".s16", listings);
    if (!sprite || !SpriteFileIsComplete(sprite->bytes)) {
        errorText = MissingFileMessage("sprite", ".s16", part, genus, sex, age, variant,
                                       WithTrailingSeparator(imagesDirectory));
        // Found but unusable: say so, or the user looks for a file that is there.
        if (sprite)
            errorText += "\n'" + sprite->path + "' was found but is damaged: " + SpriteFileProblem(sprite->bytes) + ".";
        return false;
    }
    if (bodyBytes) {
        *bodyBytes += DecodedSpriteBytes(sprite->bytes);
        if (*bodyBytes > kMaxBodyDecodedBytes) {
            errorText = "The body's images would take more than " + std::to_string(kMaxBodyDecodedBytes >> 20) +
                        " MiB once decoded, the most a body may take; '" + sprite->path + "' takes " +
                        std::to_string(DecodedSpriteBytes(sprite->bytes) >> 20) + " MiB of it.";
            return false;
        }
    }
    std::optional<BodyFile> attachment =
        FindBodyFile(bodyDataDirectory, part, genus, sex, age, variant, ".att", listings);
    if (!attachment) {
        errorText = MissingFileMessage("attachment", ".att", part, genus, sex, age, variant,
                                       WithTrailingSeparator(bodyDataDirectory));
        return false;
    }
    std::string_view cursor(reinterpret_cast<const char*>(attachment->bytes.data()), attachment->bytes.size());
    const std::size_t pointCount = std::size_t(AttachmentPointCount(part));
    DecodeImages(sprite->bytes, data.images);
    for (int i = 0; i < kImagesPerPart; ++i) {
        ImagePoints& points = data.points[std::size_t(i)];
        points = ImagePoints{};
        ReadAttachmentPoints(cursor, std::span<AttachmentPoint>(points.data(), pointCount));
    }
    return true;
}

}  // namespace zubrelle
