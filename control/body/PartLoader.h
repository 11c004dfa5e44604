// Loading one body part: its sprite file and attachment file, decoded into a part record.
#pragma once

#include <string>
#include <string_view>

#include "control/body/PartData.h"

namespace zubrelle {

// True when both files were found and decoded. Otherwise false with errorText replaced by
// the sprite or attachment message; a sprite file that is too short for its ten images
// counts as a sprite that could not be found.
bool LoadPart(int part, int genus, int sex, int age, int variant, std::string_view imagesDirectory,
              std::string_view bodyDataDirectory, PartData& data, std::string& errorText);

}  // namespace zubrelle
