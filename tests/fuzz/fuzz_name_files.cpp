// Fuzzes the three name-file readers on one input: the name file, the
// pose-name file, and the gait-name file against a genome made from the input;
// and the name encoding both ways on the same bytes.
#include "editor/document/NameEncoding.h"
#include "editor/document/NameTable.h"
#include "editor/genome/Genome.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    mirtala::NameTable table;
    table.ParseNameFile(bytes);
    // What was loaded saves to a file that loads back the same.
    mirtala::NameTable again;
    again.ParseNameFile(table.NameFileText());
    for (unsigned i = 0; i < mirtala::NameTable::kEntries; ++i) {
        std::string name = table.GetName(i);
        if (name.find('\n') == std::string::npos && !(name.size() && name.back() == '\r') && again.GetName(i) != name)
            std::abort();
    }
    table.ParsePoseNames(bytes);

    mirtala::Genome genome;
    for (std::size_t i = 0; i + 10 <= size && i < 400; i += 10)
        genome.Append(mirtala::Gene{{2, 4, data[i], 0, 0, 0, 0}, {data + i + 1, data + i + 1 + data[i + 1] % 9}});
    table.ParseGaitNames(bytes, genome);

    // Every name shows as UTF-8 and is stored back unchanged; text that converts
    // to name bytes shows again as the same text.
    if (mirtala::Utf8ToCp1252(mirtala::Cp1252ToUtf8(bytes)) != bytes) std::abort();
    if (auto stored = mirtala::Utf8ToCp1252(bytes); stored && mirtala::Cp1252ToUtf8(*stored) != bytes) std::abort();
    return 0;
}
