// Fuzzes genome reading, and checks that whatever was read writes out and reads
// back to the same genes whenever the writer calls the genome faithful, and
// runs the genome check on it: every finding names a gene of the genome, and
// the check finds a gene that cannot be saved exactly when saving would.
#include "editor/genome/Genome.h"
#include "editor/genome/GenomeCheck.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mirtala::Genome genome;
    int warnings = 0;
    if (genome.ReadBytes({data, size}, [&warnings](std::string_view) { ++warnings; }) != mirtala::ReadStatus::Ok)
        return 0;
    bool unsaveable = false;
    for (const mirtala::Finding& f :
         mirtala::CheckGenome(genome, [](unsigned entry) { return std::to_string(entry & 7); })) {
        if (f.index >= genome.Count() || !(genome.At(f.index)->Key() == f.gene)) std::abort();
        unsaveable = unsaveable || f.text.find(": cannot be saved: ") != std::string::npos;
    }
    if (unsaveable != genome.FindUnfaithfulGene().has_value()) std::abort();
    if (unsaveable) return 0;
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
