// The pose and gait dialogs' tests: a document opened on genes built here,
// the real dialog factory, the picture control registered in a registry of
// the test's own with the demo creature as the host product's folders, and
// the pictures as shown, to compare with the engine's frames.
#pragma once

#include <QCoreApplication>
#include <QEvent>

#include <string>
#include <vector>

#include "activex/ControlTestSupport.h"
#include "editor/ui/CZubrelle.h"
#include "editor/ui/EditorDialogFactory.h"
#include "ui/EditorTestSupport.h"

namespace mirtala::test {

class EditDialogTest : public DocTest {
protected:
    explicit EditDialogTest(bool registerControl = true) : m_registerControl(registerControl) {}
    void SetUp() override;
    void TearDown() override;

    // Opens a new document on these genes.
    void Open(const std::vector<Gene>& genes) {
        doc = std::make_unique<CMirtalaDoc>();
        ASSERT_TRUE(DocTest::Open(genes));
    }
    const GeneRef& GeneAt(std::size_t index) const { return doc->GetGenome().At(index); }
    template <class Dialog>
    Dialog* OpenPose(std::size_t index) {
        return dynamic_cast<Dialog*>(doc->OpenPoseDialog(GeneAt(index)));
    }
    template <class Dialog>
    Dialog* OpenGait(std::size_t index) {
        return dynamic_cast<Dialog*>(doc->OpenGaitDialog(GeneAt(index)));
    }
    // Runs the deletions the dialogs deferred.
    static void DeleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private:
    bool m_registerControl;
    TempRegistry m_registry;
    ui::CEditorDialogFactory m_factory{nullptr};
    ScopedDialogFactory m_useFactory{m_factory};
};

// The picture as the widget paints it, in 0x00BBGGRR pixels.
std::vector<std::uint32_t> Shown(ui::CZubrelle& picture);

}  // namespace mirtala::test
