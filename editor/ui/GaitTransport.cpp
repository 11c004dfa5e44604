// Driving the gait preview's animation from the dialog's transport row.
#include "editor/ui/GaitTransport.h"

#include "editor/ui/CZubrelle.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>

#include <iterator>

namespace mirtala::ui {

CGaitTransport::CGaitTransport(CZubrelle& preview, QAbstractButton& play, QLabel& readout, QComboBox& speed)
    : QObject(&preview), m_preview(preview), m_play(play), m_readout(readout), m_speed(speed) {
    m_readout.setAccessibleName(QStringLiteral("Frame"));
    m_speed.setCurrentIndex(kNormalSpeed);
    // Every paint may show another frame; the readout follows the picture.
    connect(&m_preview, &CZubrelle::Painted, this, &CGaitTransport::UpdateReadout);
    SetPlaying(true);
}

void CGaitTransport::SetPlaying(bool playing) {
    m_playing = playing;
    m_preview.SetPlaying(playing);
    // The button offers what it will do.
    m_play.setText(playing ? QStringLiteral("&Pause") : QStringLiteral("&Play"));
    m_play.setAccessibleName(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
    UpdateReadout();
    emit PlayingChanged(playing);
}

void CGaitTransport::Step(bool back) {
    if (m_playing) SetPlaying(false);
    m_preview.StepFrame(back);
    UpdateReadout();
}

void CGaitTransport::SpeedChosen(int index) {
    if (index < 0 || index >= int(std::size(kSpeeds))) return;
    m_preview.SetSpeed(kSpeeds[index]);
}

void CGaitTransport::UpdateReadout() {
    const QString text = ReadoutText(m_preview.CurrentFrame(), m_preview.FrameCount());
    if (m_readout.text() != text) m_readout.setText(text);
}

QString CGaitTransport::ReadoutText(int current, int count) {
    return count > 0 ? QStringLiteral("Frame %1 of %2").arg(current + 1).arg(count) : QStringLiteral("No frames");
}

}  // namespace mirtala::ui
