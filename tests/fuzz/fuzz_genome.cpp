// Fuzzes genome reading, and checks that whatever was read writes out and reads
// back to the same genes whenever the writer calls the genome faithful.
#include "editor/genome/Genome.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mirtala::Genome genome;
    int warnings = 0;
    if (genome.ReadBytes({data, size}, [&warnings](std::string_view) { ++warnings; }) != mirtala::ReadStatus::Ok)
        return 0;
    if (genome.FindUnfaithfulGene()) return 0;
    const auto bytes = genome.Serialize();
    mirtala::Genome back;
    back.ReadBytes(bytes);
    if (genome.Count() > 0) {
        if (back.Count() != genome.Count()) std::abort();
        for (std::size_t i = 0; i < genome.Count(); ++i)
            if (!(*back.At(i) == *genome.At(i))) std::abort();
        if (back.Serialize() != bytes) std::abort();
    }
    return 0;
}
