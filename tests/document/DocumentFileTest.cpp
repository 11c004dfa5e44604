// Opening, saving and closing a genome document: reading warnings, the
// appearance preset, unsaved-changes marking, refused and failing saves, and
// the gait-name import.
#include "DocTestSupport.h"
#include "editor/document/FileDialogService.h"
#include "editor/document/MessageService.h"
#include "editor/document/NameTable.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace mirtala {
namespace {

using namespace test;

QString Q(const std::string& s) { return QString::fromStdString(s); }

class DocumentFileTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    std::vector<QString> Texts() const {
        std::vector<QString> t;
        for (const MessageRequest& m : messages.shown) t.push_back(m.text);
        return t;
    }

    RecordingMessageService messages;
    ScopedMessageService useMessages{messages};
    ScriptedFileDialogService files;
    ScopedFileDialogService useFiles{files};
    TempDir dir;
};

TEST_F(DocumentFileTest, OpeningShowsEachReadingWarningAndPresetsTheAppearance) {
    const std::string path = dir.Write("a.gen", std::string("dna2gene") + std::string("\x02\x02\x01\x00\x00\x00\x00", 7) +
                                                    std::string("\x00\x05\x02", 3) + "gene" +
                                                    std::string("\x02\x02\x02\x00\x00\x00\x00", 7) + std::string("\x04\x11\x01", 3) +
                                                    "genexx" + "gene" + std::string("\x02\x03\x01\x00\x00\x00\x00", 7) + "0");
    CMirtalaDoc doc;
    doc.ChangeAppearance(Appearance{1, 3, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    ASSERT_TRUE(doc.OnOpenDocument(Q(path)));
    EXPECT_EQ(doc.GetGenome().Count(), 3u);
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const MessageRequest& m : messages.shown) {
        EXPECT_EQ(m.caption, QString("Error reading file"));
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
        EXPECT_EQ(m.icon, MessageIcon::Warning);
        EXPECT_EQ(m.owner, nullptr);
    }
    EXPECT_EQ(Texts(), (std::vector<QString>{"Gene does not contain header.", "Expected token 'gene' or 'gend'."}));
    // Head genus 2 variant 5, tail genus 1 variant 17; sex and age back to 0.
    EXPECT_EQ(doc.GetAppearance(), (Appearance{0, 0, 2, 5, 0, 0, 0, 0, 0, 0, 1, 17}));
    EXPECT_EQ(doc.GetTitle(), QString("a.gen"));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentFileTest, FilesThatAreMissingOrNoGenomeLeaveNoDocument) {
    const std::string missing = dir.File("missing.gen");
    for (const std::string& path : {dir.Write("upper.gen", "DNA2gend"), dir.Write("short.gen", "dn"), missing}) {
        messages.shown.clear();
        CMirtalaDoc doc;
        EXPECT_FALSE(doc.OnOpenDocument(Q(path)));
        EXPECT_EQ(doc.GetGenome().Count(), 0u);
        ASSERT_EQ(messages.shown.size(), 1u);
        // The reader's own warning, or the shell's message naming the file.
        const bool isMissing = path == missing;
        EXPECT_EQ(messages.shown[0].caption, QString(isMissing ? "Mirtala" : "Error reading file"));
        EXPECT_EQ(messages.shown[0].text, isMissing ? Q(missing) + " was not found." : QString("Not a genome File."));
    }
}

TEST_F(DocumentFileTest, NewDocumentSavesTheEmptyGenomeWhichReadsBackWithTwoWarnings) {
    CMirtalaDoc doc;
    doc.SetTitle("Genome1");
    ASSERT_TRUE(doc.OnNewDocument());
    files.answers.push_back(Q(dir.File("new.gen")));
    ASSERT_TRUE(doc.DoFileSave());  // no path yet: Save As
    ASSERT_EQ(files.requests.size(), 1u);
    const FileDialogRequest& r = files.requests[0];
    EXPECT_FALSE(r.open);
    EXPECT_EQ(r.initialFile, QString("Genome1"));
    EXPECT_EQ(r.defaultExtension, QString(".gen"));
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(ReadFileBytes(dir.File("new.gen")), "dna2gend");
    EXPECT_EQ(doc.GetPathName(), Q(dir.File("new.gen")));
    EXPECT_EQ(doc.GetTitle(), QString("new.gen"));

    CMirtalaDoc again;
    ASSERT_TRUE(again.OnOpenDocument(Q(dir.File("new.gen"))));
    EXPECT_EQ(again.GetGenome().Count(), 0u);
    EXPECT_EQ(Texts(), (std::vector<QString>{"Expected token 'gene' or 'gend'.", "Gene does not contain header."}));
}

TEST_F(DocumentFileTest, ModifiedFollowsTheUndoStackAndSaving) {
    CMirtalaDoc doc;
    doc.SetTitle("Genome1");
    doc.OnNewDocument();
    QSignalSpy modified(&doc, &CMirtalaDoc::modifiedChanged);
    QSignalSpy titles(&doc, &CMirtalaDoc::titleChanged);
    EXPECT_FALSE(doc.IsModified());

    doc.AddGene(PoseGene(1, 1));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetWindowTitle(), QString("Genome1*"));
    doc.AddGene(PoseGene(2, 2));
    doc.Undo();
    doc.Undo();
    EXPECT_FALSE(doc.IsModified());  // back where it was saved
    EXPECT_EQ(doc.GetWindowTitle(), QString("Genome1"));
    doc.Redo();
    ASSERT_TRUE(doc.DoSave(Q(dir.File("g.gen"))));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetWindowTitle(), QString("g.gen"));
    doc.Undo();  // saving keeps the stacks: changes before it can still be undone
    EXPECT_TRUE(doc.IsModified());
    doc.Redo();
    EXPECT_FALSE(doc.IsModified());
    doc.Undo();
    doc.AddGene(PoseGene(3, 3));  // the saved state is gone from the redo stack for good
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.ChangeAppearance(Appearance{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_FALSE(doc.IsModified());

    std::vector<bool> states;
    for (const auto& args : modified) states.push_back(args.at(0).toBool());
    EXPECT_EQ(states, (std::vector<bool>{true, false, true, false, true, false, true, false}));
    EXPECT_EQ(titles.last().at(0).toString(), QString("g.gen"));
}

struct CloseCase {
    const char* name;
    bool edit;
    std::vector<MessageAnswer> answers;
    std::vector<std::optional<QString>> saveAs;  // file dialog answers; "*" for a fresh path
    bool mayClose;
    bool saved;
};
class CloseTest : public DocumentFileTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, AsksOnlyForUnsavedChanges) {
    const CloseCase& c = GetParam();
    CMirtalaDoc doc;
    doc.SetTitle("Genome2");
    doc.OnNewDocument();
    if (c.edit) doc.AddGene(GaitGene(1, 1));
    for (MessageAnswer a : c.answers) messages.answers.push_back(a);
    for (const auto& a : c.saveAs) files.answers.push_back(a && *a == "*" ? std::optional(Q(dir.File("saved.gen"))) : a);

    EXPECT_EQ(doc.SaveModified(), c.mayClose);
    ASSERT_EQ(messages.shown.size(), c.edit ? 1u : 0u);
    if (c.edit) {
        EXPECT_EQ(messages.shown[0].text, QString("Save changes to Genome2?"));
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNoCancel);
    }
    EXPECT_EQ(std::filesystem::exists(dir.File("saved.gen")), c.saved);
    EXPECT_EQ(doc.IsModified(), c.edit && !c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseTest,
    ::testing::Values(CloseCase{"Unmodified", false, {}, {}, true, false},
                      CloseCase{"Cancel", true, {MessageAnswer::Cancel}, {}, false, false},
                      CloseCase{"No", true, {MessageAnswer::No}, {}, true, false},
                      CloseCase{"YesSaves", true, {MessageAnswer::Yes}, {QString("*")}, true, true},
                      CloseCase{"YesThenSaveAsCancelled", true, {MessageAnswer::Yes}, {std::nullopt}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFileTest, RefusesToSaveAGeneThatWouldNotReadBackAndNamesIt) {
    CMirtalaDoc doc;
    ASSERT_TRUE(OpenWithGenes(doc, dir, {PoseGene(1, 10)}, "keep.gen"));
    const std::string before = ReadFileBytes(dir.File("keep.gen"));
    NameTable::Instance().SetName(77, "Leap");
    Gene bad = PoseGene(4, 77, 0, "0123gene0123012");
    doc.AddGene(bad);
    EXPECT_FALSE(doc.DoFileSave());
    ASSERT_EQ(messages.shown.size(), 1u);
    const QString text = messages.shown[0].text;
    EXPECT_TRUE(text.contains("pose \"Leap\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("gene 2 of the genome: type 2, subtype 3, id 4")) << text.toStdString();
    EXPECT_TRUE(text.contains("\"gene\"")) << text.toStdString();
    EXPECT_EQ(ReadFileBytes(dir.File("keep.gen")), before);
    EXPECT_TRUE(doc.IsModified());
    NameTable::Instance().SetName(77, "77");

    doc.Undo();  // without the gene it saves
    doc.AddGene(GaitGene(3, 9, {'g', 'e', 'n', 'd', 0, 0, 0, 0}));  // "gend" in the last gene
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_TRUE(messages.shown.back().text.contains("The gait \"9\"")) << messages.shown.back().text.toStdString();
    doc.AddGene(GaitGene(4, 8));  // no longer last
    EXPECT_TRUE(doc.DoFileSave());
}

// Ways to make a write fail; each must leave the old file as it was.
enum class Failure { FileSizeLimit, UnwritableFolder };
class FailingSaveTest : public DocumentFileTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(FailingSaveTest, ReportsAndLeavesTheOldFileIntact) {
    CMirtalaDoc doc;
    ASSERT_TRUE(OpenWithGenes(doc, dir, {PoseGene(1, 10)}, "old.gen"));
    const std::string before = ReadFileBytes(dir.File("old.gen"));
    for (std::uint8_t id = 2; id < 40; ++id) doc.AddGene(PoseGene(id, id));

    bool saved = true;
    if (GetParam() == Failure::FileSizeLimit) {
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 64;
        ::setrlimit(RLIMIT_FSIZE, &small);
        saved = doc.DoFileSave();
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
    } else {
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        if (::access(dir.Path().c_str(), W_OK) == 0) {
            std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
            GTEST_SKIP() << "this user may write into read-only folders";
        }
        saved = doc.DoFileSave();
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Cannot save " + Q(dir.File("old.gen"))));
    EXPECT_TRUE(messages.shown[0].text.endsWith("The file was not changed."));
    EXPECT_EQ(ReadFileBytes(dir.File("old.gen")), before);
    EXPECT_TRUE(doc.IsModified());
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Failures, FailingSaveTest, ::testing::Values(Failure::FileSizeLimit, Failure::UnwritableFolder));

class ImportGaitNamesTest : public DocumentFileTest {
protected:
    void TearDown() override {
        for (unsigned i = NameTable::kGaitBase; i < NameTable::kEntries; ++i)
            NameTable::Instance().SetName(i, std::to_string(i - NameTable::kGaitBase));
    }
    // A ".gno" file naming the gait gene with id 5.
    std::string GnoFile() const {
        std::string b = "HEAD";
        for (unsigned v : {2u, 4u, 5u, 0u, 4u}) b += std::string{static_cast<char>(v), 0};
        b += "Trot";
        b += std::string(2, '\0');
        return dir.Write("names.gno", b);
    }
};

TEST_F(ImportGaitNamesTest, AsksForAGnoFileAndKeepsTheNamesWhenItCannotBeRead) {
    CMirtalaDoc doc;
    ASSERT_TRUE(OpenWithGenes(doc, dir, {GaitGene(5, 12)}));
    NameTable::Instance().SetName(300, "Gallop");
    doc.OnImportGaitNames();  // cancelled
    files.answers = {Q(dir.File("absent.gno")), Q(GnoFile())};
    doc.OnImportGaitNames();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("absent.gno"));
    EXPECT_EQ(NameTable::Instance().GetName(300), "Gallop");

    doc.OnImportGaitNames();
    EXPECT_EQ(NameTable::Instance().GetName(268), "Trot");
    EXPECT_EQ(NameTable::Instance().GetName(300), "44");  // the other gait names are reset
    ASSERT_EQ(files.requests.size(), 3u);
    const FileDialogRequest& r = files.requests[0];
    EXPECT_TRUE(r.open);
    EXPECT_EQ(r.defaultExtension, QString(".gno"));
    EXPECT_TRUE(r.initialFile.isEmpty());
    EXPECT_TRUE(r.hideReadOnly);
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(r.filter, QString("Genome files (*.gno)|*.gno"));
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace mirtala
