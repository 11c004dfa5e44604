// What a view of a genome document implements: it is told about genes added
// to and removed from the genome through update hints.
#pragma once

#include "editor/genome/Gene.h"

namespace mirtala {

class CMirtalaDoc;

// Any other hint (0 for the first update) means: refill from the genome.
inline constexpr int HintGeneAdded = 1;    // the gene now in the genome's list
inline constexpr int HintGeneRemoved = 2;  // the removed gene, held only during the call

class CDocumentView {
public:
    virtual ~CDocumentView() = default;
    virtual void OnUpdate(CDocumentView* sender, int hint, const GeneRef& gene) = 0;
};

}  // namespace mirtala
