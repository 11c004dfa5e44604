// The form view: ordered lists of pose and gait genes, the appearance
// combos, the list buttons and the Edit commands.
#include "editor/ui/MirtalaView.h"

#include "editor/document/GeneClipboard.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/DialogResources.h"
#include "editor/ui/NameText.h"
#include "editor/ui/NewGaitDlg.h"
#include "editor/ui/NewPoseDlg.h"

#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace mirtala::ui {

namespace {

constexpr int kFirstCombo = id::Sex;  // the Sex combo; the Tail Variant combo is the last
constexpr int kGenusIndex = id::Genus - kFirstCombo;

// Record position -> combo index (the Genus combo is not in the record).
constexpr std::array<int, 12> kRecordCombo = {0, 1, 3, 8, 4, 9, 5, 10, 6, 11, 7, 12};

unsigned Number(const Gene& gene) { return static_cast<unsigned>(GeneNumber(gene)); }

// True when `a` sorts after `b`: number first, then switch-on time.
bool KeyGreater(const Gene& a, const Gene& b) {
    if (Number(a) != Number(b)) return Number(a) > Number(b);
    return a.header.switchOn > b.header.switchOn;
}

QString ItemText(unsigned number, unsigned nameIndex) {
    return QStringLiteral("(%1) %2").arg(number).arg(NameOf(nameIndex));
}

QTreeWidgetItem* PoseItem(const QString& text, const QString& age) {
    auto* item = new QTreeWidgetItem;
    // The last column first: the item's column lists grow once, not once per column.
    item->setText(1, age);
    item->setText(0, text);
    return item;
}

QString AgeText(const Gene& gene) { return QString::fromLatin1(LifeStageName(gene.header.switchOn)); }

// The genes in display order: number, then switch-on time, equal keys in genome order.
// A counting sort on the 16-bit key: each gene is read once, in genome order, rather
// than twice per comparison at scattered places in memory.
void SortByKey(std::vector<GeneRef>& genes) {
    std::vector<std::uint16_t> keys(genes.size());
    std::vector<std::uint32_t> starts(65536 + 1, 0);
    for (std::size_t i = 0; i < genes.size(); ++i) {
        keys[i] = static_cast<std::uint16_t>(Number(*genes[i]) << 8 | genes[i]->header.switchOn);
        ++starts[keys[i] + 1u];
    }
    for (std::size_t k = 1; k < starts.size(); ++k) starts[k] += starts[k - 1];
    std::vector<GeneRef> sorted(genes.size());
    for (std::size_t i = 0; i < genes.size(); ++i) sorted[starts[keys[i]]++] = std::move(genes[i]);
    genes = std::move(sorted);
}

// The item texts of the 256 numbers of one kind, each made once for a whole rebuild.
class ItemTexts {
public:
    explicit ItemTexts(unsigned nameBase) : m_base(nameBase) {}
    const QString& Of(unsigned number) {
        QString& text = m_texts[number & 255];
        if (text.isNull()) text = ItemText(number, m_base + number);
        return text;
    }

private:
    unsigned m_base;
    std::array<QString, 256> m_texts;
};

}  // namespace

CMirtalaView::CMirtalaView(CMirtalaDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    m_appearance.fill(-1);
    m_controls.Build(FormTemplate(), this, this);
    setMinimumSize(m_controls.ClientSize());
    connect(PoseList(), &QTreeWidget::itemSelectionChanged, this, &CMirtalaView::EditStateChanged);
    connect(GaitList(), &QListWidget::itemSelectionChanged, this, &CMirtalaView::EditStateChanged);
    connect(qApp, &QApplication::focusChanged, this, &CMirtalaView::EditStateChanged);
    m_doc.AddView(this);
}

CMirtalaView::~CMirtalaView() {
    // Focus moves while the widgets go; nothing may reach this half-destroyed view.
    disconnect(qApp, nullptr, this, nullptr);
    m_doc.RemoveView(this);
}

QTreeWidget* CMirtalaView::PoseList() const { return m_controls.ItemAs<QTreeWidget>(id::PoseList); }
QListWidget* CMirtalaView::GaitList() const { return m_controls.ItemAs<QListWidget>(id::GaitList); }

void CMirtalaView::DoDataExchange(bool save) {
    for (int i = 0; i < static_cast<int>(m_appearance.size()); ++i) {
        int index = m_appearance[i];
        m_controls.ExchangeComboIndex(save, kFirstCombo + i, index);
        // A value the combo cannot show stays as it was rather than becoming -1.
        if (!save || index >= 0) m_appearance[i] = index;
    }
}

void CMirtalaView::OnInitialUpdate() {
    DoDataExchange(false);
    SetColumnWidths();
    OnUpdate(nullptr, 0, GeneRef());
}

void CMirtalaView::SetColumnWidths() {
    QTreeWidget* list = PoseList();
    const int w = list->contentsRect().width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list->setHeaderLabels({QStringLiteral("Pose Name"), QStringLiteral("Age")});
    list->setColumnWidth(0, w - w / 3);
    list->setColumnWidth(1, w / 3);
}

void CMirtalaView::OnUpdate(CDocumentView*, int hint, const GeneRef& gene) {
    if (hint == HintGeneAdded && gene)
        Insert(gene);
    else if (hint == HintGeneRemoved && gene)
        Remove(gene);
    else if (hint != HintGeneAdded && hint != HintGeneRemoved)
        Rebuild();
    emit EditStateChanged();
}

void CMirtalaView::Rebuild() {
    PoseList()->clear();
    GaitList()->clear();
    m_poses.clear();
    m_gaits.clear();
    const Genome& genome = m_doc.GetGenome();
    // One stable sort and one fill of each list: genes of equal key keep genome order,
    // as one insert after another would leave them, without a search per gene.
    for (GeneCursor c(genome, 0, kCreatureGeneType, kPoseSubtype); !c.AtEnd(); c.Advance()) m_poses.push_back(c.Ref());
    for (GeneCursor c(genome, 0, kCreatureGeneType, kGaitSubtype); !c.AtEnd(); c.Advance()) m_gaits.push_back(c.Ref());
    SortByKey(m_poses);
    SortByKey(m_gaits);
    QList<QTreeWidgetItem*> poseItems;
    poseItems.reserve(static_cast<qsizetype>(m_poses.size()));
    ItemTexts poseTexts(0), gaitNames(256);
    std::array<QString, 256> ages;  // each age's text made once, shared by its items
    for (const GeneRef& gene : m_poses) {
        QString& age = ages[gene->header.switchOn];
        if (age.isNull()) age = AgeText(*gene);
        poseItems.push_back(PoseItem(poseTexts.Of(Number(*gene)), age));
    }
    PoseList()->addTopLevelItems(poseItems);
    QStringList gaitTexts;
    gaitTexts.reserve(static_cast<qsizetype>(m_gaits.size()));
    for (const GeneRef& gene : m_gaits) gaitTexts.push_back(gaitNames.Of(Number(*gene)));
    GaitList()->addItems(gaitTexts);
    m_appearance[kGenusIndex] = genome.Genus();
    const auto values = m_doc.GetAppearance().Values();
    for (std::size_t i = 0; i < values.size(); ++i) m_appearance[kRecordCombo[i]] = values[i];
    DoDataExchange(false);
}

void CMirtalaView::Insert(const GeneRef& gene) {
    const bool pose = IsPoseGene(*gene);
    if (!pose && !IsGaitGene(*gene)) return;
    std::vector<GeneRef>& list = pose ? m_poses : m_gaits;
    // After every gene that does not sort after it.
    const auto after = std::upper_bound(list.begin(), list.end(), gene,
                                        [](const GeneRef& g, const GeneRef& e) { return KeyGreater(*e, *g); });
    const std::size_t at = static_cast<std::size_t>(after - list.begin());
    list.insert(after, gene);
    const unsigned number = Number(*gene);
    if (pose) {
        PoseList()->insertTopLevelItem(static_cast<int>(at), PoseItem(ItemText(number, number), AgeText(*gene)));
    } else {
        GaitList()->insertItem(static_cast<int>(at), ItemText(number, 256 + number));
    }
}

void CMirtalaView::Remove(const GeneRef& gene) {
    const bool pose = IsPoseGene(*gene);
    if (!pose && !IsGaitGene(*gene)) return;
    std::vector<GeneRef>& list = pose ? m_poses : m_gaits;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i]->header.id != gene->header.id) continue;
        if (pose)
            delete PoseList()->takeTopLevelItem(static_cast<int>(i));
        else
            delete GaitList()->takeItem(static_cast<int>(i));
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

const GeneRef* CMirtalaView::SelectedPose() const {
    const QList<QTreeWidgetItem*> selected = PoseList()->selectedItems();
    if (selected.isEmpty()) return nullptr;
    const int row = PoseList()->indexOfTopLevelItem(selected.front());
    return row >= 0 && row < static_cast<int>(m_poses.size()) ? &m_poses[static_cast<std::size_t>(row)] : nullptr;
}

const GeneRef* CMirtalaView::SelectedGait() const {
    const QList<QListWidgetItem*> selected = GaitList()->selectedItems();
    if (selected.isEmpty()) return nullptr;
    const int row = GaitList()->row(selected.front());
    return row >= 0 && row < static_cast<int>(m_gaits.size()) ? &m_gaits[static_cast<std::size_t>(row)] : nullptr;
}

const Gene* CMirtalaView::FocusedSelection() const {
    // The view's own focus widget, not the application's: the menu bar taking
    // the keyboard for a moment (Alt, or Escape out of a menu) or another
    // window being active leaves the list this view's focused one.
    const QWidget* focus = focusWidget();
    const GeneRef* selected = focus == PoseList() ? SelectedPose() : focus == GaitList() ? SelectedGait() : nullptr;
    return selected ? selected->Get() : nullptr;
}

bool CMirtalaView::CanCopy() const { return FocusedSelection() != nullptr; }

bool CMirtalaView::CanPaste() const { return mirtala::CanPaste(); }

void CMirtalaView::OnEditCopy() {
    const Gene* gene = FocusedSelection();
    if (!gene) {
        EmptyClipboard();
        return;
    }
    CopyToClipboard(*gene);
}

void CMirtalaView::OnEditCut() {
    const Gene* gene = FocusedSelection();
    if (!gene) {
        EmptyClipboard();
        return;
    }
    const Gene cut = *gene;  // the removal drops the view's handle
    CopyToClipboard(cut);
    m_doc.RemoveGene(cut);
}

void CMirtalaView::OnEditPaste() {
    Gene gene;
    if (!PasteFromClipboard(gene) || gene.header.type != kCreatureGeneType) return;
    if (gene.header.subtype == kGaitSubtype)
        AddGait(&gene);
    else if (gene.header.subtype == kPoseSubtype)
        AddPose(&gene);
}

void CMirtalaView::AddPose(const Gene* pasted) {
    CNewPoseDlg dialog(m_doc, window());
    if (pasted) dialog.SetGene(*pasted);
    dialog.DoModal();
}

void CMirtalaView::AddGait(const Gene* pasted) {
    if (CNewGaitDlg::FreeGaitNumber(m_doc.GetGenome()) > 255) {
        ShowMessage({QStringLiteral("Error"),
                     QStringLiteral("All 256 gait numbers are in use. Remove a gait before adding another."),
                     MessageIcon::Warning, MessageButtons::Ok, window()});
        return;
    }
    CNewGaitDlg dialog(m_doc, window());
    if (pasted) dialog.SetGene(*pasted);
    dialog.DoModal();
}

void CMirtalaView::OnCommand(int id) {
    switch (id) {
        case id::AddPose: AddPose(nullptr); break;
        case id::RemovePose:
            if (const GeneRef* gene = SelectedPose()) m_doc.RemoveGene(Gene(**gene));
            break;
        case id::PoseProperties:
            if (const GeneRef* gene = SelectedPose()) m_doc.OpenPoseDialog(*gene);
            break;
        case id::AddGait: AddGait(nullptr); break;
        case id::RemoveGait:
            if (const GeneRef* gene = SelectedGait()) m_doc.RemoveGene(Gene(**gene));
            break;
        case id::GaitProperties:
            if (const GeneRef* gene = SelectedGait()) m_doc.OpenGaitDialog(*gene);
            break;
        default: break;
    }
}

void CMirtalaView::OnSelChange(int id) {
    if (id < kFirstCombo || id >= kFirstCombo + static_cast<int>(m_appearance.size())) return;
    DoDataExchange(true);
    std::array<std::int32_t, 12> values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = m_appearance[kRecordCombo[i]];
    m_doc.ChangeAppearance(Appearance::FromValues(values));
}

void CMirtalaView::OnDoubleClick(int id) {
    if (id == id::PoseList) OnCommand(id::PoseProperties);
    if (id == id::GaitList) OnCommand(id::GaitProperties);
}

}  // namespace mirtala::ui
