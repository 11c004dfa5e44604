// Edit › Check Genome: the genome check's findings for one document, problems
// apart from information, named with the editor's own name table. It follows
// the document (every change goes through its undo stack) and the names; a
// finding double-clicked, or Enter on it, goes to its gene: selected in the
// form, its dialog opened. It deletes itself when its document goes.
#pragma once

#include <QPointer>

#include <QWidget>
#include "editor/document/MirtalaDoc.h"

#include <vector>

#include "editor/genome/GenomeCheck.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace mirtala::ui {

class CheckGenomeWindow final : public QWidget {
    Q_OBJECT
public:
    explicit CheckGenomeWindow(CMirtalaDoc& doc, QWidget* parent = nullptr);

    CMirtalaDoc* Document() const { return m_doc; }
    const std::vector<Finding>& Findings() const { return m_findings; }
    QTreeWidget* List() const { return m_list; }
    // "2 problems, 3 notes" or "No problems."
    QString Summary() const;
    // Checks the genome again and lists the findings, keeping the selected one.
    void Refresh();
    // The finding's gene: selected in the forms, its dialog opened. False when
    // the gene is gone or is neither a pose nor a gait gene.
    bool GoTo(std::size_t finding);
    // The list item of a finding; null when it is not listed.
    QTreeWidgetItem* ItemOf(std::size_t finding) const;

private:
    void OnActivated(QTreeWidgetItem* item);
    // The finding an item stands for; -1 for a group heading.
    int FindingOf(const QTreeWidgetItem* item) const;
    void UpdateTitle();

    QPointer<CMirtalaDoc> m_doc;
    QLabel* m_summary;
    QTreeWidget* m_list;
    QPushButton* m_goTo;
    std::vector<Finding> m_findings;
};

}  // namespace mirtala::ui
