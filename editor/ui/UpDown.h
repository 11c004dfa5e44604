// CUpDown: a pair of arrows beside an edit (its buddy) that reports each
// step as a position change of +1 (up) or -1 (down) before anything moves.
// It writes nothing into the buddy; the window decides what a step means.
// The Up and Down keys in the buddy step too.
#pragma once

#include <QWidget>

class QToolButton;

namespace mirtala::ui {

class CUpDown : public QWidget {
    Q_OBJECT
public:
    explicit CUpDown(QWidget* parent = nullptr);
    // Attaches to the buddy: sits inside its frame at the right edge, where its text stops.
    void SetBuddy(QWidget* buddy);
    QWidget* Buddy() const { return m_buddy; }
    // The accessible names of the two arrows follow the control's own name.
    void SetAccessibleName(const QString& name);

signals:
    void DeltaPos(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    QWidget* m_buddy = nullptr;
};

}  // namespace mirtala::ui
