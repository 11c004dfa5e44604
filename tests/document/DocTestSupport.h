// Shared pieces of the document tests: gene builders, a widget application
// for the clipboard and the message boxes, fake dialogs and a recording view.
#pragma once

#include "editor/document/DocumentView.h"
#include "editor/document/GeneDialog.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"

#include <QApplication>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace mirtala::test {

inline void EnsureApplication() {
    static int argc = 1;
    static char name[] = "document_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QApplication(argc, argv);
}

inline Gene PoseGene(std::uint8_t id, std::uint8_t number, std::uint8_t switchOn = 0,
                     const std::string& pose = "012301230123012") {
    Gene g;
    g.header = GeneHeader{kCreatureGeneType, kPoseSubtype, id, 0, switchOn, 0, 0};
    g.data.resize(1 + pose.size());
    g.data[0] = number;
    std::copy(pose.begin(), pose.end(), g.data.begin() + 1);
    return g;
}

inline Gene GaitGene(std::uint8_t id, std::uint8_t number, std::vector<std::uint8_t> steps = {1, 2, 3, 0, 0, 0, 0, 0}) {
    Gene g;
    g.header = GeneHeader{kCreatureGeneType, kGaitSubtype, id, 0, 0, 0, 0};
    g.data.resize(1 + steps.size());
    g.data[0] = number;
    std::copy(steps.begin(), steps.end(), g.data.begin() + 1);
    return g;
}

// What happened to the fake dialogs, kept outside them so it outlives them.
struct DialogLog {
    std::vector<std::string> events;  // "<name> refresh", "<name> top", "<name> destroyed", ...
};

class FakeDialog : public CGeneDialog {
public:
    FakeDialog(std::string name, GeneRef gene, DialogLog& log) : m_name(std::move(name)), m_gene(std::move(gene)), m_log(log) {}
    ~FakeDialog() override { m_log.events.push_back(m_name + " destroyed"); }

    const GeneRef& GetGeneRef() const override { return m_gene; }
    void Refresh() override {
        ++refreshes;
        m_log.events.push_back(m_name + " refresh");
    }
    void SetAppearance(const Appearance& a) override { appearances.push_back(a); }
    void BringToTop() override {
        ++raised;
        m_log.events.push_back(m_name + " top");
    }
    const std::string& Name() const { return m_name; }

    int refreshes = 0;
    int raised = 0;
    std::vector<Appearance> appearances;
    std::string poseString;
    Gene workingCopy;

private:
    std::string m_name;
    GeneRef m_gene;
    DialogLog& m_log;
};

// Names its dialogs "pose1", "gait1", ... in creation order.
class FakeDialogFactory : public CGeneDialogFactory {
public:
    GeneDialogHandle CreatePoseDialog(CMirtalaDoc&, const GeneRef& gene, const std::string& pose) override {
        auto d = std::make_shared<FakeDialog>("pose" + std::to_string(++m_poses), gene, log);
        d->poseString = pose;
        return d;
    }
    GeneDialogHandle CreateGaitDialog(CMirtalaDoc&, const GeneRef& gene, const Gene& copy) override {
        auto d = std::make_shared<FakeDialog>("gait" + std::to_string(++m_gaits), gene, log);
        d->workingCopy = copy;
        return d;
    }
    DialogLog log;

private:
    int m_poses = 0;
    int m_gaits = 0;
};

inline FakeDialog& AsFake(CGeneDialog* d) { return *static_cast<FakeDialog*>(d); }

struct Hint {
    int hint;
    GeneRef gene;
    Gene content;  // the gene's content at the time of the hint
};

class RecordingView : public CDocumentView {
public:
    void OnUpdate(CDocumentView*, int hint, const GeneRef& gene) override {
        hints.push_back(Hint{hint, gene, gene ? *gene : Gene{}});
    }
    std::vector<Hint> hints;
};

}  // namespace mirtala::test

#include "fixtures/TempDir.h"

namespace mirtala::test {

// Writes the genes as a genome file and opens it in `doc`.
inline bool OpenWithGenes(CMirtalaDoc& doc, const TempDir& dir, const std::vector<Gene>& genes,
                          const char* name = "start.gen") {
    Genome g;
    for (const Gene& gene : genes) g.Append(gene);
    const auto bytes = g.Serialize();
    const std::string path = dir.Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return doc.OnOpenDocument(QString::fromStdString(path));
}

inline std::vector<std::uint8_t> Ids(const Genome& g) {
    std::vector<std::uint8_t> ids;
    for (const GeneRef& r : g.Genes()) ids.push_back(r->header.id);
    return ids;
}

}  // namespace mirtala::test
