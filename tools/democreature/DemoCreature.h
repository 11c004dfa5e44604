// Writing the demo creature's sprite and attachment files, and small exact bodies for tests.
#pragma once

#include <string>
#include <vector>

#include "tools/democreature/CreatureArt.h"
#include "tools/democreature/SpriteWriter.h"

namespace democreature {

// The combinations the demo creature is generated for.
const std::vector<int>& DemoGenera();    // 0, 1, 2
const std::vector<int>& DemoAges();      // 0, 2, 4
const std::vector<int>& DemoVariants();  // 0, 1

// Genus 1 is stored as 5-5-5 pixels, the others as 5-6-5.
std::uint32_t DemoPixelFormat(int genus);
// Genus 2 is stored under upper-case names, as some installations keep them.
std::string DemoFileName(int part, int genus, int sex, int age, int variant, bool sprite);

// The two files of one part, in memory.
struct PartFiles {
    std::vector<std::uint8_t> sprite;
    std::string attachment;
};
PartFiles MakeDemoPartFiles(int part, const Look& look);

// Writes every part of every demo combination into the two directories (created when
// missing). Returns false with a message when a file could not be written.
bool WriteDemoCreature(const std::string& imagesDirectory, const std::string& bodyDataDirectory, std::string& error);

}  // namespace democreature
