// Shared pieces of the editor window tests: a document fixture with a form
// view, and helpers that find controls by accessible name and choose combo
// box entries as the user does.
#pragma once

#include "document/DocTestSupport.h"
#include "editor/document/NameTable.h"
#include "editor/ui/MirtalaView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

namespace mirtala::test {

// The child of `root` with this accessible name.
template <class T = QAbstractButton>
T* Named(const QObject* root, const QString& name) {
    for (T* child : root->findChildren<T*>())
        if (child->accessibleName() == name) return child;
    ADD_FAILURE() << "no control named " << name.toStdString();
    return nullptr;
}

inline void Choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

inline Gene WithSwitchOn(Gene gene, std::uint8_t switchOn) {
    gene.header.switchOn = switchOn;
    return gene;
}

inline QStringList ComboEntries(QComboBox* combo) {
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
    return entries;
}

// A document opened from genes, shown in a form view; names reset per test.
class ViewTest : public DocTest {
protected:
    void SetUp() override { NameTable::Instance() = NameTable(); }
    ui::CMirtalaView& ShowView() {
        form = std::make_unique<ui::CMirtalaView>(*doc);
        form->show();
        form->OnInitialUpdate();
        return *form;
    }
    QStringList PoseTexts() const {
        QStringList texts;
        for (int i = 0; i < form->PoseList()->topLevelItemCount(); ++i) {
            const auto* item = form->PoseList()->topLevelItem(i);
            texts << item->text(0) + " | " + item->text(1);
        }
        return texts;
    }
    QStringList GaitTexts() const {
        QStringList texts;
        for (int i = 0; i < form->GaitList()->count(); ++i) texts << form->GaitList()->item(i)->text();
        return texts;
    }
    std::unique_ptr<ui::CMirtalaView> form;
};

}  // namespace mirtala::test
