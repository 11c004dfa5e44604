// The up-down control's arrows and the buddy's arrow keys.
#include "editor/ui/UpDown.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>

namespace mirtala::ui {

CUpDown::CUpDown(QWidget* parent) : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRaise(false);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { emit DeltaPos(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit DeltaPos(-1); });
}

void CUpDown::SetBuddy(QWidget* buddy) {
    m_buddy = buddy;
    if (!buddy) return;
    buddy->installEventFilter(this);
    // Inside the buddy's frame at its right edge, as a spin box's arrows sit:
    // the buddy keeps its width and its text stops short of the arrows.
    const QRect b = buddy->geometry();
    int frame = 0;
    if (auto* edit = qobject_cast<QLineEdit*>(buddy); edit && edit->hasFrame()) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    }
    const int w = std::max(12, std::min(width(), b.width() / 2));
    setGeometry(b.right() - frame - w + 1, b.top() + frame, w, b.height() - 2 * frame);
    if (auto* edit = qobject_cast<QLineEdit*>(buddy)) {
        const QMargins m = edit->textMargins();
        edit->setTextMargins(m.left(), m.top(), m.right() + w, m.bottom());
    }
    raise();
}

void CUpDown::SetAccessibleName(const QString& name) {
    setAccessibleName(name);
    m_up->setAccessibleName(name + " Up");
    m_down->setAccessibleName(name + " Down");
}

bool CUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            emit DeltaPos(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CUpDown::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

}  // namespace mirtala::ui
