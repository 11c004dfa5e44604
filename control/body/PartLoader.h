// Loading one body part: its sprite file and attachment file, decoded into a part record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "control/body/BodyFiles.h"
#include "control/body/PartData.h"

namespace zubrelle {

// The most a whole body's images may take once decoded: a real body takes a few
// megabytes; a sprite file of a few megabytes can ask for far more (one 2000 x 2000
// block shared by ten entries decodes to 160 MB), so a body past this is refused.
inline constexpr std::uint64_t kMaxBodyDecodedBytes = std::uint64_t(128) << 20;

// True when both files were found and decoded. Otherwise false with errorText replaced by
// the sprite or attachment message; a sprite file that is too short for its ten images
// counts as a sprite that could not be found, with a line saying how it is damaged.
// `bodyBytes` (if given) adds up the decoded size of a body's parts: a part that would
// take it past kMaxBodyDecodedBytes is refused with a message naming its file.
// `listings` (if given) shares the folders' listings between the parts of one body.
bool LoadPart(int part, int genus, int sex, int age, int variant, std::string_view imagesDirectory,
              std::string_view bodyDataDirectory, PartData& data, std::string& errorText,
              std::uint64_t* bodyBytes = nullptr, DirectoryListings* listings = nullptr);

}  // namespace zubrelle
