// Opening and saving a genome document: reading warnings, the appearance
// preset, the modified flag as the undo stack's clean state, refused and
// failing saves, and the file-dialog filters.
#include "DocTestSupport.h"
#include "editor/document/NameTable.h"
#include "editor/document/PathBytes.h"
#include "editor/document/ReadWarnings.h"

#include <QSignalSpy>

#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <filesystem>

namespace mirtala::test {
namespace {

using namespace std::string_literals;
QString Q(const std::string& s) { return QString::fromStdString(s); }

using DocumentFileTest = DocTest;

TEST_F(DocumentFileTest, OpeningShowsEachReadingWarningAndPresetsTheAppearance) {
    doc->ChangeAppearance(Appearance{1, 3, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    ASSERT_TRUE(
        doc->OnOpenDocument(Q(dir.Write("a.gen",
                                        "dna2gene\2\2\1\0\0\0\0\0\5\2gene\2\2\2\0\0\0\0\4\21\1genexxgene\2\3\1\0\0\0\0"
                                        "0"s))));
    EXPECT_EQ(genome().Count(), 3u);
    for (const MessageRequest& m : messages.shown) {  // the two reading warnings; all four are checked below
        EXPECT_EQ(m.caption, "Error reading file");
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
        EXPECT_EQ(m.icon, MessageIcon::Warning);
        EXPECT_EQ(m.owner, nullptr);
    }
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
    const struct {
        std::size_t count;
        const char* text;
    } counts[] = {{999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"}};
    for (const auto& c : counts) EXPECT_EQ(GroupedCount(c.count), c.text);
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
                          {dir.File("loop-a.gen"), "Too many levels of symbolic links"},
                          {dir.File(std::string(300, 'n')), "File name too long"}};
    for (const Case& c : cases) EXPECT_FALSE(CMirtalaDoc().OnOpenDocument(Q(c.path))) << c.path;
    ASSERT_EQ(Texts().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Texts()[i], "Cannot open " + Q(cases[i].path) + ": " + Q(cases[i].reason) + ".");

    const std::string odd = dir.Write(
        "\xff\xfe"
        "bad.gen",
        "dna2gend");
    const QString shown = PathFromBytes(odd);
    EXPECT_EQ(PathToBytes(shown), odd);
    EXPECT_EQ(PathToBytes(PathFromBytes("caf\xc3\xa9 \xe2\x82")), "caf\xc3\xa9 \xe2\x82");  // a cut sequence too
    EXPECT_TRUE(doc->OnOpenDocument(shown)) << Texts().back().toStdString();
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
    } steps[] = {{"add", true},   {"undo", false}, {"redo", true},  {"save", false}, {"undo", true},
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
    EXPECT_TRUE(error.startsWith("Cannot save " + Q(dir.File("old.gen")))) << error.toStdString();
    EXPECT_TRUE(error.endsWith("The file was not changed.")) << error.toStdString();
    EXPECT_EQ(ReadFileBytes(dir.File("old.gen")), before);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary file left
}

TEST(FileDialogFilters, PipeFiltersBecomeQtNameFilters) {
    // The patterns after the bar decide what is listed, not the description.
    const struct {
        const char* pipe;
        QStringList qt;
    } cases[] = {{"Genome Files (*.gen)|*.gen||", {"Genome Files (*.gen)"}},
                 {"Images (*.png)|*.s16;*.att|All Files|*.*", {"Images (*.s16 *.att)", "All Files (*.*)"}},
                 {"", {}},
                 {"Dangling", {}}};
    for (const auto& c : cases) EXPECT_EQ(QtNameFilters(c.pipe), c.qt) << c.pipe;
}

}  // namespace
}  // namespace mirtala::test
