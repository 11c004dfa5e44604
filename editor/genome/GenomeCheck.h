// The genome check: what a designer would want to know about a genome's pose
// and gait genes before shipping it, as a list of findings, each about one gene.
#pragma once

#include "editor/genome/Genome.h"

#include <functional>
#include <string>
#include <vector>

namespace mirtala {

enum class FindingKind { Problem, Information };

struct Finding {
    FindingKind kind = FindingKind::Problem;
    GeneKey gene;           // the gene the finding is about
    std::size_t index = 0;  // its position in the genome's list (keys may repeat)
    std::string text;       // "gait 3 step 5: pose 12 has no gene active at Embryo, Child"
};

// The display name of a name-table entry: pose n at n, gait n at 256 + n. A
// number whose entry is empty or still its own decimal digits has no name.
using NameLookup = std::function<std::string(unsigned entry)>;

// Problems first, then information; each group in genome order. Names are
// checked only when a lookup is given. Costs one pass over the genes plus a
// pass over each used pose's variants per life stage.
std::vector<Finding> CheckGenome(const Genome& genome, const NameLookup& names = {});

// True when any finding is a problem.
bool HasProblems(const std::vector<Finding>& findings);

}  // namespace mirtala
