// The document manager: every way a document comes in (New, Open, a recovered
// copy) gives it one window and one notice; titles and window numbers; Save As
// and a failing save; the question before a modified document closes.
#include "app/AppTestSupport.h"

#include "editor/app/ChildFrame.h"
#include "editor/app/DocumentManager.h"
#include "editor/app/RecentFileList.h"

#include <QSignalSpy>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

namespace mirtala::test {
namespace {

class DocumentManagerTest : public EditorAppTest {
protected:
    // The captions of the document's windows, in opening order.
    QStringList Captions(const CMirtalaDoc& doc) const {
        QStringList captions;
        for (const auto* frame : frames)
            if (&frame->GetDocument() == &doc) captions << frame->windowTitle();
        return captions;
    }

    app::CRecentFileList recent;
    app::CDocumentManager documents{recent};
    std::vector<app::CChildFrame*> frames;  // as the main frame would place them
    QMetaObject::Connection placed = QObject::connect(&documents, &app::CDocumentManager::frameCreated,
                                                      [this](app::CChildFrame* frame) { frames.push_back(frame); });
};

TEST_F(DocumentManagerTest, EveryWayInGivesOneWindowAndOneNoticeWithItsTitle) {
    const QString file = GenomeFile("walk.gen", {PoseGene(1, 1)});
    const QString copy = GenomeFile("copy-1.gen", {PoseGene(1, 1), PoseGene(2, 2)});
    const struct WayIn {
        const char* name;
        std::function<CMirtalaDoc*()> open;
        QString caption, path;
    } ways[] = {
        {"new", [&] { return documents.OpenNew(); }, "Genome1", ""},
        {"open", [&] { return documents.OpenFile(file); }, "walk.gen", file},
        {"recovered", [&] { return documents.OpenRecovered(copy, file, "walk.gen"); }, "walk.gen*", file},
        {"recovered, never saved", [&] { return documents.OpenRecovered(copy, "", "Genome3"); }, "Genome3*", ""},
    };
    for (const WayIn& way : ways) {
        QSignalSpy changed(&documents, &app::CDocumentManager::documentsChanged);
        const std::size_t before = frames.size();
        CMirtalaDoc* doc = way.open();
        ASSERT_NE(doc, nullptr) << way.name;
        EXPECT_EQ(changed.count(), 1) << way.name;
        EXPECT_EQ(frames.size(), before + 1) << way.name;
        EXPECT_EQ(Captions(*doc), QStringList{way.caption}) << way.name;
        EXPECT_EQ(doc->GetPathName(), way.path) << way.name;
        EXPECT_EQ(documents.Documents().back(), doc) << way.name;
    }
    EXPECT_EQ(recent.Files(), QStringList{file}) << "only a file opened by name is recent";
    // The open file again: the same document, no new window.
    EXPECT_EQ(documents.OpenFile(file), documents.Documents()[1]);
    EXPECT_EQ(frames.size(), 4u);
    EXPECT_EQ(documents.OpenFile(QString::fromStdString(dir.File("missing.gen"))), nullptr);
    EXPECT_EQ(documents.Documents().size(), 4u);
}

TEST_F(DocumentManagerTest, WindowsOfOneDocumentAreNumberedAndTheDocumentGoesWithItsLast) {
    CMirtalaDoc& first = *documents.OpenNew();
    CMirtalaDoc& second = *documents.OpenNew();
    documents.NewWindow(second);
    second.AddGene(PoseGene(1, 1));
    EXPECT_EQ(Captions(first), QStringList{"Genome1"});
    EXPECT_EQ(Captions(second), QStringList({"Genome2*:1", "Genome2*:2"}));
    delete frames[1];
    EXPECT_EQ(frames[2]->windowTitle(), "Genome2*");
    EXPECT_EQ(documents.Documents().size(), 2u);
    delete frames[2];
    EXPECT_EQ(documents.Documents(), std::vector{&first});
    // A new document after closing one takes the next number, never a used one.
    EXPECT_EQ(documents.OpenNew()->GetTitle(), "Genome3");
}

TEST_F(DocumentManagerTest, SaveAsTakesThePathAndAFailingSaveIsShownByTheManager) {
    CMirtalaDoc& doc = *documents.OpenNew();
    files.answers = {QString::fromStdString(dir.File("new.gen")), QString::fromStdString(dir.File("no/such.gen"))};
    ASSERT_TRUE(documents.Save(doc));  // no path yet: Save As
    const FileDialogRequest& r = files.requests.at(0);
    EXPECT_FALSE(r.open);
    EXPECT_EQ(r.initialFile, "Genome1");
    EXPECT_EQ(r.defaultExtension, ".gen");
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(ReadFileBytes(dir.File("new.gen")), "dna2gend");
    EXPECT_EQ(Captions(doc), QStringList{"new.gen"});
    doc.AddGene(PoseGene(1, 1));
    EXPECT_FALSE(documents.SaveAs(doc));
    ASSERT_EQ(messages.shown.size(), 1u);
    const QString target = QString::fromStdString(dir.File("no/such.gen"));  // the reason is the file layer's
    EXPECT_EQ(messages.shown[0].text, "Cannot save " + target + ".\n\nCannot create a file beside " + target +
                                          ": No such file or directory.\n\nThe file was not changed.");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(doc.GetPathName(), QString::fromStdString(dir.File("new.gen"))) << "a failed save keeps the old path";
    EXPECT_TRUE(doc.IsModified());
}

// A genome with mode 444 is refused on Save, not replaced, and Save As is offered.
TEST_F(DocumentManagerTest, SavingOverAReadOnlyGenomeIsRefusedAndOffersSaveAs) {
    const QString locked = QString::fromStdString(dir.Write("locked.gen", "dna2gend"));
    ::chmod(dir.File("locked.gen").c_str(), 0444);
    CMirtalaDoc& doc = *documents.OpenFile(locked);
    messages.shown.clear();  // the empty genome's reading warnings
    doc.AddGene(PoseGene(2, 11));
    files.answers = {std::nullopt};
    EXPECT_FALSE(documents.Save(doc));  // Save As cancelled
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, locked + " is read-only. The file was not changed.");
    EXPECT_EQ(ReadFileBytes(dir.File("locked.gen")), "dna2gend");
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_FALSE(files.requests[0].open);

    files.answers = {QString::fromStdString(dir.File("copy.gen"))};
    EXPECT_TRUE(documents.Save(doc));
    EXPECT_EQ(doc.GetPathName(), QString::fromStdString(dir.File("copy.gen")));
    EXPECT_EQ(ReadFileBytes(dir.File("locked.gen")), "dna2gend");
    EXPECT_FALSE(doc.IsModified());
}

// Closing asks about unsaved changes only; Yes saves (through Save As for a new document).
struct CloseCase {
    const char* name;
    bool edited;
    MessageAnswer answer;
    bool saveAsChosen;  // the Save As dialog confirmed, or cancelled
    bool mayClose;
    bool saved;
};
class CloseTest : public DocumentManagerTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, AsksOnlyForUnsavedChanges) {
    const CloseCase& c = GetParam();
    documents.OpenNew();
    CMirtalaDoc& doc = *documents.OpenNew();
    if (c.edited) doc.AddGene(GaitGene(1, 1));
    messages.answers = {c.answer};
    files.answers = {c.saveAsChosen ? std::optional(QString::fromStdString(dir.File("saved.gen"))) : std::nullopt};
    EXPECT_EQ(documents.CanCloseDocument(doc), c.mayClose);
    EXPECT_EQ(Texts(), c.edited ? std::vector<QString>{"Save changes to Genome2?"} : std::vector<QString>{});
    for (const MessageRequest& m : messages.shown) EXPECT_EQ(m.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(std::filesystem::exists(dir.File("saved.gen")), c.saved);
    EXPECT_EQ(doc.IsModified(), c.edited && !c.saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseTest,
                         ::testing::Values(CloseCase{"Unmodified", false, MessageAnswer::Yes, true, true, false},
                                           CloseCase{"Cancel", true, MessageAnswer::Cancel, true, false, false},
                                           CloseCase{"No", true, MessageAnswer::No, true, true, false},
                                           CloseCase{"Yes", true, MessageAnswer::Yes, true, true, true},
                                           CloseCase{"YesSaveAsCancelled", true, MessageAnswer::Yes, false, false,
                                                     false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mirtala::test
