// Opening and saving a genome document: reading warnings, the appearance
// preset, the modified flag as the undo stack's clean state, refused and
// failing saves, and the file-dialog filters.
#include "DocTestSupport.h"
#include "editor/document/NameTable.h"

#include <QSignalSpy>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace mirtala::test {
namespace {

using namespace std::string_literals;
QString Q(const std::string& s) { return QString::fromStdString(s); }

using DocumentFileTest = DocTest;

TEST_F(DocumentFileTest, OpeningShowsEachReadingWarningAndPresetsTheAppearance) {
    doc->ChangeAppearance(Appearance{1, 3, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    ASSERT_TRUE(doc->OnOpenDocument(Q(dir.Write(
        "a.gen", "dna2gene\2\2\1\0\0\0\0\0\5\2gene\2\2\2\0\0\0\0\4\21\1genexxgene\2\3\1\0\0\0\0" "0"s))));
    EXPECT_EQ(genome().Count(), 3u);
    for (const MessageRequest& m : messages.shown)  // the two reading warnings; all four are checked below
        EXPECT_EQ(std::tuple(m.caption, m.buttons, m.icon, m.owner),
                  std::tuple(QString("Error reading file"), MessageButtons::Ok, MessageIcon::Warning, nullptr));
    // Head genus 2 variant 5, tail genus 1 variant 17; sex and age back to 0.
    EXPECT_EQ(doc->GetAppearance(), (Appearance{0, 0, 2, 5, 0, 0, 0, 0, 0, 0, 1, 17}));
    EXPECT_EQ(doc->GetWindowTitle(), QString("a.gen"));
    // A file that is no genome, or none at all, leaves no document.
    EXPECT_FALSE(CMirtalaDoc().OnOpenDocument(Q(dir.Write("upper.gen", "DNA2gend"))));
    EXPECT_FALSE(CMirtalaDoc().OnOpenDocument(Q(dir.File("missing.gen"))));
    EXPECT_EQ(Texts(), (std::vector<QString>{"Gene does not contain header.", "Expected token 'gene' or 'gend'.",
                                             "Not a genome File.", Q(dir.File("missing.gen")) + " was not found."}));
}

// The modified flag is the undo stack's clean state: undoing back to a save is
// unmodified, a save after undo moves the clean state, and a new command after
// undoing past the save loses it for good.
TEST_F(DocumentFileTest, ModifiedIsTheUndoStacksCleanState) {
    ASSERT_TRUE(Open({PoseGene(1, 10)}, "g.gen"));
    const std::string opened = ReadFileBytes(dir.File("g.gen"));
    QSignalSpy changes(doc.get(), &CMirtalaDoc::modifiedChanged);
    const struct Step {
        const char* action;
        bool modified;
    } steps[] = {{"add", true},  {"undo", false}, {"redo", true},  {"save", false}, {"undo", true},
                 {"save", false}, {"redo", true},  {"undo", false}, {"redo", true},  {"save", false},
                 {"undo", true},  {"add", true},   {"undo", true}};
    std::vector<bool> expected;
    bool was = false;
    for (const Step& step : steps) {
        const std::string action = step.action;
        if (action == "add") doc->AddGene(PoseGene(2, 11));
        if (action == "undo") doc->Undo();
        if (action == "redo") doc->Redo();
        if (action == "save") {
            ASSERT_TRUE(doc->OnSaveDocument(Q(dir.File("g.gen")), nullptr));
        }
        EXPECT_EQ(doc->IsModified(), step.modified) << action;
        EXPECT_EQ(doc->GetWindowTitle(), step.modified ? "g.gen*" : "g.gen") << action;
        if (step.modified != was) expected.push_back(step.modified);
        was = step.modified;
        if (&step == &steps[5]) {
            EXPECT_EQ(ReadFileBytes(dir.File("g.gen")), opened) << "saved after the undo";
        }
    }
    std::vector<bool> signalled;
    for (const auto& args : changes) signalled.push_back(args.at(0).toBool());
    EXPECT_EQ(signalled, expected);

    // A recovered copy stays modified whatever is undone, until it is saved.
    doc->SetModifiedUntilSaved();
    doc->Redo();
    doc->Undo();
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(doc->OnSaveDocument(Q(dir.File("g.gen")), nullptr));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocumentFileTest, RefusesToSaveAGeneThatWouldNotReadBackAndNamesIt) {
    ASSERT_TRUE(Open({PoseGene(1, 10)}, "keep.gen"));
    const QString path = Q(dir.File("keep.gen"));
    const std::string before = ReadFileBytes(dir.File("keep.gen"));
    NameTable::Instance().SetName(77, "Leap");
    doc->AddGene(PoseGene(4, 77, "0123gene0123012"));
    QString pose, gait;
    EXPECT_FALSE(doc->OnSaveDocument(path, &pose));
    NameTable::Instance().SetName(77, "77");
    doc->Undo();
    doc->AddGene(GaitGene(3, 9, "gend\0\0\0\0"s));  // "gend" in the last gene
    EXPECT_FALSE(doc->OnSaveDocument(path, &gait));
    EXPECT_EQ(ReadFileBytes(dir.File("keep.gen")), before);
    for (const char* part : {"pose \"Leap\"", "gene 2 of the genome: type 2, subtype 3, id 4", "\"gene\""})
        EXPECT_TRUE(pose.contains(part)) << pose.toStdString();
    for (const char* part : {"The gait \"9\"", "gene 2 of the genome: type 2, subtype 4, id 3", "\"gend\""})
        EXPECT_TRUE(gait.contains(part)) << gait.toStdString();
    EXPECT_TRUE(Texts().empty()) << "the caller shows the reason";
    doc->AddGene(GaitGene(4, 8));  // no longer last
    EXPECT_TRUE(doc->OnSaveDocument(path, nullptr));
}

// A write cut off by the file size limit, as a full disk would, leaves the old file as it was.
TEST_F(DocumentFileTest, AFailingSaveReportsAndLeavesTheOldFileIntact) {
    ASSERT_TRUE(Open({PoseGene(1, 10)}, "old.gen"));
    const std::string before = ReadFileBytes(dir.File("old.gen"));
    for (std::uint8_t id = 2; id < 40; ++id) doc->AddGene(PoseGene(id, id));
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{64, old.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    const bool saved = doc->OnSaveDocument(Q(dir.File("old.gen")), &error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.startsWith("Cannot save " + Q(dir.File("old.gen"))) && error.endsWith("The file was not changed."))
        << error.toStdString();
    EXPECT_EQ(ReadFileBytes(dir.File("old.gen")), before);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary file left
}

TEST(FileDialogFilters, PipeFiltersBecomeQtNameFilters) {
    // The patterns after the bar decide what is listed, not the description.
    const std::pair<const char*, QStringList> cases[] = {
        {"Genome files (*.gno)|*.gno", {"Genome files (*.gno)"}}, {"Genome Files (*.gen)|*.gen||", {"Genome Files (*.gen)"}},
        {"Images (*.png)|*.s16;*.att|All Files|*.*", {"Images (*.s16 *.att)", "All Files (*.*)"}}, {"", {}}, {"Dangling", {}}};
    for (const auto& [pipe, qt] : cases) EXPECT_EQ(QtNameFilters(pipe), qt) << pipe;
}

}  // namespace
}  // namespace mirtala::test
