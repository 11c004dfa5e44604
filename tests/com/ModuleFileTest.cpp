// The whole-module check before loading, on a small shared-object image built
// here and damaged one way per case.
#include "platform/com/ModuleFile.h"

#include <elf.h>
#include <link.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

struct Image {
    ElfW(Ehdr) header{};
    ElfW(Phdr) segment{};
    ElfW(Shdr) sections[2]{};
};

// A file header, one loadable segment over the headers, two section headers.
std::vector<std::uint8_t> Build(const std::function<void(Image&)>& damage) {
    Image image;
    std::memcpy(image.header.e_ident, ELFMAG, SELFMAG);
    image.header.e_ident[EI_CLASS] = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
    image.header.e_ident[EI_DATA] = ELFDATA2LSB;
    image.header.e_type = ET_DYN;
    image.header.e_phoff = offsetof(Image, segment);
    image.header.e_phentsize = sizeof(ElfW(Phdr));
    image.header.e_phnum = 1;
    image.header.e_shoff = offsetof(Image, sections);
    image.header.e_shentsize = sizeof(ElfW(Shdr));
    image.header.e_shnum = 2;
    image.segment.p_type = PT_LOAD;
    image.segment.p_filesz = offsetof(Image, sections);
    damage(image);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&image);
    return {bytes, bytes + sizeof image};
}

struct Case {
    const char* name;
    std::function<void(Image&)> damage;
    std::size_t keep;     // bytes of the image kept
    const char* problem;  // "" when the image may be loaded
};

TEST(ModuleFile, EveryPartMustLieInsideTheFile) {
    constexpr std::size_t kWhole = sizeof(Image);
    const auto none = [](Image&) {};
    const Case cases[] = {
        {"whole", none, kWhole, ""},
        {"no section headers", [](Image& i) { i.header.e_shoff = 0; }, offsetof(Image, sections), ""},
        {"not ELF", none, 3, "it is not a module"},
        {"other word size", [](Image& i) { i.header.e_ident[EI_CLASS] = ELFCLASSNONE; }, kWhole, "another word size"},
        {"program", [](Image& i) { i.header.e_type = ET_EXEC; }, kWhole, "not a shared library"},
        {"program headers cut", none, offsetof(Image, segment) + 8, "program header table ends at byte"},
        {"segment past the end", [](Image& i) { i.segment.p_filesz = kWhole + 1; }, kWhole,
         "loadable segment 0 ends at byte"},
        {"segment wraps", [](Image& i) { i.segment.p_offset = ~0ull - 8; }, kWhole, "loadable segment 0 ends past"},
        {"section headers cut", none, kWhole - 1, "section header table ends at byte"},
        {"many sections", [](Image& i) { i.header.e_shnum = 0, i.sections[0].sh_size = 1000; }, kWhole,
         "section header table ends at byte"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = Build(c.damage);
        bytes.resize(c.keep);
        const std::string problem = com::ModuleImageProblem(bytes);
        if (*c.problem == 0) {
            EXPECT_EQ(problem, "") << c.name;
        } else {
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.name << ": " << problem;
        }
    }
}

}  // namespace
