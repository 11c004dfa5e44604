// The pose and gait dialogs' tests: a document opened on genes built here,
// the real dialog factory, the picture control registered in a registry of
// the test's own with the demo creature as the host product's folders, and
// the engine's own drawing to compare the pictures with.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>

#include <memory>
#include <string>
#include <vector>

#include "activex/ControlTestSupport.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/CZubrelle.h"
#include "editor/ui/EditorDialogFactory.h"
#include "platform/gdi/Bitmap.h"

namespace mirtala::test {

// A creature gene: the number byte, then `rest`.
Gene CreatureGene(std::uint8_t subtype, std::uint8_t id, std::uint8_t number, const std::string& rest,
                  std::uint8_t switchOn = 0);

class EditDialogTest : public testing::Test {
protected:
    explicit EditDialogTest(bool registerControl = true) : m_registerControl(registerControl) {}
    void SetUp() override;
    void TearDown() override;

    // Opens a document on these genes.
    void Open(const std::vector<Gene>& genes);
    const GeneRef& GeneAt(std::size_t index) const { return doc->GetGenome().At(index); }
    template <class Dialog>
    Dialog* OpenPose(std::size_t index) { return dynamic_cast<Dialog*>(doc->OpenPoseDialog(GeneAt(index))); }
    template <class Dialog>
    Dialog* OpenGait(std::size_t index) { return dynamic_cast<Dialog*>(doc->OpenGaitDialog(GeneAt(index))); }
    // Runs the deletions the dialogs deferred.
    static void DeleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::unique_ptr<CMirtalaDoc> doc;

private:
    bool m_registerControl;
    TempRegistry m_registry;
    TempDir m_dir;
    RecordingMessageService m_messages;
    ScopedMessageService m_useMessages{m_messages};
    ui::CEditorDialogFactory m_factory{nullptr};
    ScopedDialogFactory m_useFactory{m_factory};
};

// The child of `root` with this accessible name.
template <class T = QAbstractButton>
T* Named(const QObject* root, const QString& name) {
    for (T* child : root->findChildren<T*>())
        if (child->accessibleName() == name) return child;
    ADD_FAILURE() << "no control named " << name.toStdString();
    return nullptr;
}

// The picture as the widget paints it, in 0x00BBGGRR pixels.
std::vector<std::uint32_t> Shown(CZubrelle& picture);
// The engine's drawing of one pose, or of a walk's first frame, at the picture's size.
gdi::Bitmap EngineDrawing(const Appearance& appearance, int width, int height, double scale,
                          const std::vector<std::string>& poses, int angle = 0);

}  // namespace mirtala::test
