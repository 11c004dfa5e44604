// The genome check window: findings listed in two groups, refreshed from the
// document, and the way from a finding to its gene.
#include "editor/ui/CheckGenomeWindow.h"

#include "editor/document/MirtalaDoc.h"
#include "editor/document/NameEncoding.h"
#include "editor/document/NameEvents.h"
#include "editor/document/NameTable.h"
#include "editor/ui/GeneNavigation.h"

#include <QAccessibleWidget>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

namespace mirtala::ui {

namespace {

constexpr int kFindingRole = Qt::UserRole;

QString Counted(std::size_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

// A plain widget would be a filler to assistive tools; this one is a window of its own.
QAccessibleInterface* WindowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(CheckGenomeWindow::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

CheckGenomeWindow::CheckGenomeWindow(CMirtalaDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(&doc), m_summary(new QLabel), m_list(new QTreeWidget), m_goTo(new QPushButton) {
    static const bool installed = (QAccessible::installFactory(WindowAccessible), true);
    (void)installed;
    setAccessibleName(QStringLiteral("Check Genome"));
    m_summary->setAccessibleName(QStringLiteral("Summary"));
    m_summary->setWordWrap(true);
    m_list->setHeaderHidden(true);
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({QStringLiteral("Finding")});  // assistive tools still see the column
    m_list->setRootIsDecorated(true);
    m_list->setAccessibleName(QStringLiteral("Findings"));
    m_list->setAccessibleDescription(QStringLiteral("Double-click a finding, or press Enter on it, to go to its gene"));
    m_summary->setBuddy(m_list);
    m_goTo->setText(QStringLiteral("&Go to Gene"));
    m_goTo->setAccessibleName(QStringLiteral("Go to Gene"));
    m_goTo->setEnabled(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->addButton(m_goTo, QDialogButtonBox::ActionRole);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(QStringLiteral("Close"));
    // The order they are seen in: the box adds Go to Gene after its own Close.
    QWidget::setTabOrder(m_list, m_goTo);
    QWidget::setTabOrder(m_goTo, buttons->button(QDialogButtonBox::Close));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    // Enter activates; a double-click does so only where the style says so, hence both.
    connect(m_list, &QTreeWidget::itemActivated, this, &CheckGenomeWindow::OnActivated);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CheckGenomeWindow::OnActivated);
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { m_goTo->setEnabled(FindingOf(item) >= 0); });
    connect(m_goTo, &QPushButton::clicked, this, [this] { OnActivated(m_list->currentItem()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    connect(doc.UndoStack(), &QUndoStack::indexChanged, this, &CheckGenomeWindow::Refresh);
    connect(&doc, &CMirtalaDoc::titleChanged, this, &CheckGenomeWindow::UpdateTitle);
    connect(&doc, &QObject::destroyed, this, &QObject::deleteLater);
    connect(&NameEvents::Instance(), &NameEvents::namesChanged, this, &CheckGenomeWindow::Refresh);
    UpdateTitle();
    Refresh();
    resize(760, 360);
}

void CheckGenomeWindow::UpdateTitle() {
    if (m_doc) setWindowTitle(QStringLiteral("Check Genome - ") + m_doc->GetWindowTitle());
}

QString CheckGenomeWindow::Summary() const {
    std::size_t problems = 0;
    for (const Finding& f : m_findings) problems += f.kind == FindingKind::Problem;
    const std::size_t notes = m_findings.size() - problems;
    if (problems == 0)
        return notes == 0 ? QStringLiteral("No problems.")
                          : QStringLiteral("No problems; ") + Counted(notes, "note.", "notes.");
    return Counted(problems, "problem", "problems") +
           (notes ? QStringLiteral(", ") + Counted(notes, "note", "notes") : QString()) + QStringLiteral(".");
}

void CheckGenomeWindow::Refresh() {
    if (!m_doc) return;
    const int selected = FindingOf(m_list->currentItem());
    const Finding previous = selected >= 0 ? m_findings[std::size_t(selected)] : Finding{};
    // The editor's own names: a number still named by its digits has no name.
    m_findings = CheckGenome(m_doc->GetGenome(),
                             [](unsigned entry) { return Cp1252ToUtf8(NameTable::Instance().GetName(entry)); });
    m_list->clear();
    QTreeWidgetItem* groups[2] = {};
    const char* headings[2] = {"Problems", "Information"};
    const QStyle::StandardPixmap icons[2] = {QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxInformation};
    std::size_t counts[2] = {};
    QTreeWidgetItem* keep = nullptr;
    for (std::size_t i = 0; i < m_findings.size(); ++i) {
        const Finding& f = m_findings[i];
        const int g = f.kind == FindingKind::Problem ? 0 : 1;
        if (!groups[g]) {
            groups[g] = new QTreeWidgetItem(m_list);
            groups[g]->setFlags(Qt::ItemIsEnabled);
            groups[g]->setData(0, kFindingRole, -1);
            QFont bold = font();
            bold.setBold(true);
            groups[g]->setFont(0, bold);
        }
        ++counts[g];
        auto* item = new QTreeWidgetItem(groups[g], {QString::fromStdString(f.text)});
        item->setIcon(0, style()->standardIcon(icons[g]));
        item->setToolTip(0, item->text(0));  // a long finding is cut short in the list
        item->setData(0, kFindingRole, int(i));
        if (selected >= 0 && f.kind == previous.kind && f.text == previous.text) keep = item;
    }
    for (int g = 0; g < 2; ++g)
        if (groups[g]) {
            groups[g]->setText(0, QStringLiteral("%1 (%2)").arg(QString::fromLatin1(headings[g])).arg(counts[g]));
            groups[g]->setExpanded(true);
        }
    m_summary->setText(Summary());
    m_summary->setAccessibleDescription(m_summary->text());  // the name only finds the line
    if (keep) m_list->setCurrentItem(keep);
    m_goTo->setEnabled(keep != nullptr);
}

int CheckGenomeWindow::FindingOf(const QTreeWidgetItem* item) const {
    if (!item) return -1;
    const QVariant v = item->data(0, kFindingRole);
    return v.isValid() ? v.toInt() : -1;
}

QTreeWidgetItem* CheckGenomeWindow::ItemOf(std::size_t finding) const {
    for (int g = 0; g < m_list->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = m_list->topLevelItem(g);
        for (int k = 0; k < group->childCount(); ++k)
            if (FindingOf(group->child(k)) == int(finding)) return group->child(k);
    }
    return nullptr;
}

void CheckGenomeWindow::OnActivated(QTreeWidgetItem* item) {
    const int finding = FindingOf(item);
    if (finding >= 0) GoTo(std::size_t(finding));
}

bool CheckGenomeWindow::GoTo(std::size_t finding) {
    if (!m_doc || finding >= m_findings.size()) return false;
    const Finding& f = m_findings[finding];
    const Genome& genome = m_doc->GetGenome();
    // The list position is exact (keys may repeat) while the genome is the one
    // checked, which the refresh on every change keeps true.
    if (f.index >= genome.Count() || !(genome.At(f.index)->Key() == f.gene)) return false;
    return GoToGene(*m_doc, genome.At(f.index));
}

}  // namespace mirtala::ui
