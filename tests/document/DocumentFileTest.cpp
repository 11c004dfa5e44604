// Opening, saving and closing a genome document: reading warnings, the
// appearance preset, unsaved-changes marking, refused and failing saves, the
// gait-name import and the file-dialog filters.
#include "DocTestSupport.h"
#include "editor/document/NameTable.h"
#include "editor/document/PathBytes.h"
#include "editor/document/ReadWarnings.h"

#include <QSignalSpy>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

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
    EXPECT_EQ(Texts(), (std::vector<QString>{"Gene does not contain header.\nExpected token 'gene' or 'gend'.",
                                             "Not a genome File.", Q(dir.File("missing.gen")) + " was not found."}));
}

// A file of 100,000 empty stretches would have opened 100,000 boxes, one after another.
TEST_F(DocumentFileTest, TheReadingWarningsOfOneFileShareOneBoxWithTheirCounts) {
    std::string file = "dna2";
    for (int i = 0; i < 100000; ++i) file += "gene";
    file += "xxgend";
    ASSERT_TRUE(doc->OnOpenDocument(Q(dir.Write("empty.gen", file))));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error reading file");
    EXPECT_EQ(Texts()[0], "Gene does not contain header. (100,000 times)");
    const std::pair<std::size_t, const char*> counts[] = {{1, "1"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"}};
    for (const auto& [count, text] : counts) EXPECT_EQ(GroupedCount(count), text);
}

// Each failure to open says why, as the system gives it; a file whose name is not UTF-8 opens.
TEST_F(DocumentFileTest, OpenFailuresNameTheReasonAndNamesAreBytes) {
    std::filesystem::create_directory(dir.File("folder.gen"));
    ASSERT_EQ(::mkfifo(dir.File("pipe.gen").c_str(), 0600), 0);
    std::filesystem::create_symlink("loop-b.gen", dir.File("loop-a.gen"));
    std::filesystem::create_symlink("loop-a.gen", dir.File("loop-b.gen"));
    struct Case {
        std::string path;
        std::string reason;
    };
    const Case cases[] = {{dir.File("folder.gen"), "it is a folder, not a file"},
                          {dir.File("pipe.gen"), "it is not a regular file (a device, pipe or socket)"},
                          {"/dev/null", "it is not a regular file (a device, pipe or socket)"},
                          {dir.File("loop-a.gen"), "Too many levels of symbolic links"},
                          {dir.File(std::string(300, 'n')), "File name too long"}};
    for (const Case& c : cases) EXPECT_FALSE(CMirtalaDoc().OnOpenDocument(Q(c.path))) << c.path;
    ASSERT_EQ(Texts().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Texts()[i], "Cannot open " + Q(cases[i].path) + ": " + Q(cases[i].reason) + ".");

    const std::string odd = dir.Write("\xff\xfe" "bad.gen", "dna2gend");
    const QString shown = PathFromBytes(odd);
    EXPECT_EQ(PathToBytes(shown), odd);
    EXPECT_EQ(PathToBytes(PathFromBytes("caf\xc3\xa9 \xe2\x82")), "caf\xc3\xa9 \xe2\x82");  // a cut sequence too
    EXPECT_TRUE(doc->OnOpenDocument(shown)) << Texts().back().toStdString();
}

TEST_F(DocumentFileTest, NewDocumentSavesTheEmptyGenomeAndModifiedFollowsTheUndoStack) {
    doc->SetTitle("Genome1");
    ASSERT_TRUE(doc->OnNewDocument());
    QSignalSpy modified(doc.get(), &CMirtalaDoc::modifiedChanged);
    files.answers.push_back(Q(dir.File("new.gen")));
    ASSERT_TRUE(doc->DoFileSave());  // no path yet: Save As
    ASSERT_EQ(files.requests.size(), 1u);
    const FileDialogRequest& r = files.requests[0];
    EXPECT_EQ(std::tuple(r.open, r.initialFile, r.defaultExtension, r.overwritePrompt),
              std::tuple(false, QString("Genome1"), QString(".gen"), true));
    EXPECT_EQ(ReadFileBytes(dir.File("new.gen")), "dna2gend");
    doc->AddGene(PoseGene(1, 1));
    EXPECT_EQ(doc->GetWindowTitle(), QString("new.gen*"));
    doc->Undo();
    EXPECT_EQ(doc->GetWindowTitle(), QString("new.gen"));  // back where it was saved
    doc->Redo();
    ASSERT_TRUE(doc->DoSave(Q(dir.File("g.gen"))));
    EXPECT_EQ(doc->GetWindowTitle(), QString("g.gen"));
    doc->Undo();  // saving keeps the stacks: changes before it can still be undone
    doc->AddGene(PoseGene(3, 3));  // the saved state is gone from the redo stack for good
    doc->Undo();
    EXPECT_TRUE(doc->IsModified());
    std::vector<bool> states;
    for (const auto& args : modified) states.push_back(args.at(0).toBool());
    EXPECT_EQ(states, (std::vector<bool>{true, false, true, false, true}));
}

// Closing asks about unsaved changes only: unmodified; Cancel; No; Yes and a path; Yes, then Save As cancelled.
// Each case: whether the document is edited, the answers, the Save As answers, whether it may close, whether saved.
using CloseCase = std::tuple<bool, std::vector<MessageAnswer>, std::vector<std::optional<QString>>, bool, bool>;
class CloseTest : public DocumentFileTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, AsksOnlyForUnsavedChanges) {
    const auto& [edit, answers, saveAs, mayClose, saved] = GetParam();
    doc->SetTitle("Genome2");
    doc->OnNewDocument();
    if (edit) doc->AddGene(GaitGene(1, 1));
    messages.answers.assign(answers.begin(), answers.end());
    for (const auto& a : saveAs) files.answers.push_back(a ? std::optional(Q(dir.File("saved.gen"))) : a);
    EXPECT_EQ(doc->SaveModified(), mayClose);
    EXPECT_EQ(Texts(), edit ? std::vector<QString>{"Save changes to Genome2?"} : std::vector<QString>{});
    for (const MessageRequest& m : messages.shown) EXPECT_EQ(m.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(std::filesystem::exists(dir.File("saved.gen")), saved);
    EXPECT_EQ(doc->IsModified(), edit && !saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseTest,
                         ::testing::Values(CloseCase{false, {}, {}, true, false},
                                           CloseCase{true, {MessageAnswer::Cancel}, {}, false, false},
                                           CloseCase{true, {MessageAnswer::No}, {}, true, false},
                                           CloseCase{true, {MessageAnswer::Yes}, {QString("x")}, true, true},
                                           CloseCase{true, {MessageAnswer::Yes}, {std::nullopt}, false, false}));

TEST_F(DocumentFileTest, RefusesToSaveAGeneThatWouldNotReadBackAndNamesIt) {
    ASSERT_TRUE(Open({PoseGene(1, 10)}, "keep.gen"));
    const std::string before = ReadFileBytes(dir.File("keep.gen"));
    NameTable::Instance().SetName(77, "Leap");
    doc->AddGene(PoseGene(4, 77, "0123gene0123012"));
    EXPECT_FALSE(doc->DoFileSave());
    NameTable::Instance().SetName(77, "77");
    doc->Undo();
    doc->AddGene(GaitGene(3, 9, "gend\0\0\0\0"s));  // "gend" in the last gene
    EXPECT_FALSE(doc->DoFileSave());
    EXPECT_EQ(ReadFileBytes(dir.File("keep.gen")), before);
    ASSERT_EQ(Texts().size(), 2u);
    for (const char* part : {"pose \"Leap\"", "gene 2 of the genome: type 2, subtype 3, id 4", "\"gene\""})
        EXPECT_TRUE(Texts()[0].contains(part)) << Texts()[0].toStdString();
    for (const char* part : {"The gait \"9\"", "gene 2 of the genome: type 2, subtype 4, id 3", "\"gend\""})
        EXPECT_TRUE(Texts()[1].contains(part)) << Texts()[1].toStdString();
    doc->AddGene(GaitGene(4, 8));  // no longer last
    EXPECT_TRUE(doc->DoFileSave());
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
    const bool saved = doc->DoFileSave();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(saved);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_TRUE(Texts()[0].startsWith("Cannot save " + Q(dir.File("old.gen"))) && Texts()[0].endsWith("The file was not changed."))
        << Texts()[0].toStdString();
    EXPECT_EQ(ReadFileBytes(dir.File("old.gen")), before);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary file left
}

// A genome with mode 444 is refused on Save, not replaced, and Save As is offered.
TEST_F(DocumentFileTest, SavingOverAReadOnlyGenomeIsRefusedAndOffersSaveAs) {
    ASSERT_TRUE(Open({PoseGene(1, 10)}, "locked.gen"));
    const std::string before = ReadFileBytes(dir.File("locked.gen"));
    ::chmod(dir.File("locked.gen").c_str(), 0444);
    doc->AddGene(PoseGene(2, 11));
    EXPECT_FALSE(doc->DoFileSave());  // Save As cancelled
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0], Q(dir.File("locked.gen")) + " is read-only. The file was not changed.");
    EXPECT_EQ(ReadFileBytes(dir.File("locked.gen")), before);
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_FALSE(files.requests[0].open);

    files.answers = {Q(dir.File("copy.gen"))};
    EXPECT_TRUE(doc->DoFileSave());
    EXPECT_EQ(doc->GetPathName(), Q(dir.File("copy.gen")));
    EXPECT_EQ(ReadFileBytes(dir.File("locked.gen")), before);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocumentFileTest, ImportGaitNamesAsksForAGnoFileAndKeepsTheNamesWhenItCannotBeRead) {
    ASSERT_TRUE(Open({GaitGene(5, 12)}));
    NameTable::Instance().SetName(300, "Gallop");
    doc->OnImportGaitNames();  // cancelled
    // The second file names the gait gene with id 5 "Trot".
    files.answers = {Q(dir.File("absent.gno")), Q(dir.Write("names.gno", "HEAD\2\0\4\0\5\0\0\0\4\0Trot\0\0"s))};
    doc->OnImportGaitNames();
    EXPECT_EQ(NameTable::Instance().GetName(300), "Gallop");
    doc->OnImportGaitNames();
    EXPECT_EQ(NameTable::Instance().GetName(NameTable::kGaitBase + 12), "Trot");
    NameTable::Instance().SetName(NameTable::kGaitBase + 12, "12");  // the import reset the others
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_TRUE(Texts()[0].contains("absent.gno"));
    ASSERT_EQ(files.requests.size(), 3u);
    const FileDialogRequest& r = files.requests[0];
    EXPECT_EQ(std::tuple(r.open, r.defaultExtension, r.initialFile, r.hideReadOnly, r.overwritePrompt, r.filter),
              std::tuple(true, QString(".gno"), QString(), true, true, QString("Genome files (*.gno)|*.gno")));
    EXPECT_FALSE(doc->IsModified());
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
