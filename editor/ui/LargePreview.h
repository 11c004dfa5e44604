// CLargePreview: one resizable, non-modal window that mirrors the picture of
// the active pose or gait dialog, enlarged. Its own picture control shows the
// same pose or walk, appearance, angle and friction (the dialog picture's
// State(), copied on every change), held on the dialog picture's frame, which
// it follows paint by paint; Play and Step drive the gait dialog's transport,
// so both play or pause together. Every zoom is a whole number: the control
// draws at the dialog picture's own size and scale and each of its pixels
// becomes zoom x zoom pixels, so zoom 2 to 8 are exact enlargements of zoom 1
// (the onion skin is composed at that size too, which keeps it cheap).
#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace mirtala::ui {

class CGaitTransport;
class CZubrelle;

class CLargePreview final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxZoom = 8;
    static constexpr int kFit = 0;  // the zoom choice that fills the window

    explicit CLargePreview(QWidget* parent = nullptr);
    ~CLargePreview() override;

    // The picture a window's preview mirrors: the pose dialog's picture or
    // the gait dialog's animated preview; null for any other window.
    static CZubrelle* MirroredPicture(QWidget* window);
    // Mirrors the picture of this dialog (null: none). The preview also
    // follows every pose or gait dialog that becomes the active window.
    void SetSource(QWidget* dialog);
    CZubrelle* Source() const { return m_source; }
    // Shows the window, on the active dialog or else on an open one.
    void Open();

    // Null while there is no dialog to mirror.
    CZubrelle* Picture() const { return m_picture; }
    // 1 to 8, or kFit: the largest whole zoom at which the picture fits.
    void SetZoomChoice(int choice);
    int ZoomFactor() const;
    // One zoom step in or out (Ctrl++, Ctrl+-, Ctrl+wheel).
    void ZoomBy(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FollowActiveWindow();
    void MirrorState();
    void FollowFrame();
    void UpdateTransport();
    void UpdateReadout();
    void ApplyZoom();
    void ApplyOnionSkin();
    int FitZoom() const;

    QPointer<QWidget> m_dialog;  // the one mirrored, or to be once shown
    QPointer<CZubrelle> m_source;
    QPointer<CGaitTransport> m_transport;
    QList<QMetaObject::Connection> m_sourceLinks;
    CZubrelle* m_picture = nullptr;  // owned by the scroll area
    QScrollArea* m_scroll;
    QComboBox* m_zoom;
    QCheckBox* m_onion;
    QSpinBox* m_onionDepth;
    QPushButton* m_play;
    QPushButton* m_step;
    QLabel* m_readout;
    bool m_sized = false;
};

}  // namespace mirtala::ui
