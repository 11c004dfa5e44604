// The whole-module check on arbitrary bytes: it reads only inside them, and an
// image it accepts has every loadable segment inside the file.
#include "platform/com/ModuleFile.h"

#include <elf.h>
#include <link.h>

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem = com::ModuleImageProblem({data, size});
    if (!problem.empty() || size < sizeof(ElfW(Ehdr))) return 0;
    ElfW(Ehdr) header;
    std::memcpy(&header, data, sizeof header);
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment;
        std::memcpy(&segment, data + header.e_phoff + i * sizeof segment, sizeof segment);
        if (segment.p_type == PT_LOAD && (segment.p_offset > size || segment.p_filesz > size - segment.p_offset))
            std::abort();
    }
    return 0;
}
