// Shared pieces of the document tests: gene builders, fake dialogs that log
// what happens to them, a recording view and a fixture holding one document.
#pragma once

#include "editor/document/DocumentView.h"
#include "editor/document/FileDialogService.h"
#include "editor/document/GeneDialog.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"
#include "fixtures/TempDir.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace mirtala::test {

// A creature gene: the number byte, then `rest` as its data.
inline Gene MakeGene(std::uint8_t subtype, std::uint8_t id, std::uint8_t number, const std::string& rest) {
    const std::string bytes = char(number) + rest;
    return Gene{GeneHeader{kCreatureGeneType, subtype, id, 0, 0, 0, 0}, {bytes.begin(), bytes.end()}};
}
inline Gene PoseGene(std::uint8_t id, std::uint8_t number, const std::string& pose = "012301230123012") {
    return MakeGene(kPoseSubtype, id, number, pose);
}
inline Gene GaitGene(std::uint8_t id, std::uint8_t number,
                     const std::string& steps = std::string("\1\2\3\0\0\0\0\0", 8)) {
    return MakeGene(kGaitSubtype, id, number, steps);
}

// What happened to the fake dialogs ("pose1 top", "gait2 refresh", "pose1 destroyed"); outlives them.
using DialogLog = std::vector<std::string>;

struct FakeDialog : CGeneDialog {
    FakeDialog(std::string n, GeneRef g, DialogLog& l) : name(std::move(n)), gene(std::move(g)), log(l) {}
    ~FakeDialog() override { log.push_back(name + " destroyed"); }
    const GeneRef& GetGeneRef() const override { return gene; }
    void Refresh() override { log.push_back(name + " refresh"); }
    void SetAppearance(const Appearance& a) override { appearances.push_back(a); }
    void BringToTop() override { log.push_back(name + " top"); }

    std::string name;
    GeneRef gene;
    DialogLog& log;
    std::vector<Appearance> appearances;
};

// Names its dialogs "pose1", "gait1", ... in creation order.
struct FakeDialogFactory : CGeneDialogFactory {
    GeneDialogHandle CreatePoseDialog(CMirtalaDoc&, const GeneRef& gene, const std::string&) override {
        return std::make_shared<FakeDialog>("pose" + std::to_string(++poses), gene, log);
    }
    GeneDialogHandle CreateGaitDialog(CMirtalaDoc&, const GeneRef& gene, const Gene&) override {
        return std::make_shared<FakeDialog>("gait" + std::to_string(++gaits), gene, log);
    }
    DialogLog log;
    int poses = 0, gaits = 0;
};

// Records each hint as "added 3" or "removed 3" (with the gene's id), and the gene handles.
struct RecordingView : CDocumentView {
    void OnUpdate(CDocumentView*, int hint, const GeneRef& gene) override {
        const char* kind = hint == HintGeneAdded ? "added " : hint == HintGeneRemoved ? "removed " : "other ";
        hints.push_back(kind + std::to_string(gene ? gene->header.id : -1));
        genes.push_back(gene);
    }
    std::vector<std::string> hints;
    std::vector<GeneRef> genes;
};

// A document with recording message and file-dialog services and fake dialogs.
class DocTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "document_tests", *argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QApplication(argc, argv);
    }
    const Genome& genome() const { return doc->GetGenome(); }
    // Writes the genes as a genome file, its path; Open opens it too.
    QString GenomeFile(const char* name, const std::vector<Gene>& genes) {
        Genome g;
        for (const Gene& gene : genes) g.Append(gene);
        const auto bytes = g.Serialize();
        return QString::fromStdString(dir.Write(name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}));
    }
    bool Open(const std::vector<Gene>& genes, const char* name = "start.gen") {
        return doc->OnOpenDocument(GenomeFile(name, genes));
    }
    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const GeneRef& r : genome().Genes()) ids.push_back(r->header.id);
        return ids;
    }
    std::vector<QString> Texts() const {  // of the messages shown
        std::vector<QString> t;
        for (const MessageRequest& m : messages.shown) t.push_back(m.text);
        return t;
    }

    RecordingMessageService messages;
    ScopedMessageService useMessages{messages};
    ScriptedFileDialogService files;
    ScopedFileDialogService useFiles{files};
    FakeDialogFactory factory;
    ScopedDialogFactory useFactory{factory};
    TempDir dir;
    std::unique_ptr<CMirtalaDoc> doc = std::make_unique<CMirtalaDoc>();
    RecordingView view;
};

}  // namespace mirtala::test
