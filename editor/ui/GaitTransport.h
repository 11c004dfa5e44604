// CGaitTransport: the gait dialog's Play/Pause, Step, frame readout and speed
// over its animated preview. Paused, the preview holds its frame; Step shows
// the next one (with Shift the one before, as far as the control remembers);
// the speed runs the control's tick faster or slower by the preview's timer.
#pragma once

#include <QObject>
#include <QString>

class QAbstractButton;
class QComboBox;
class QLabel;

namespace mirtala::ui {

class CZubrelle;

class CGaitTransport final : public QObject {
    Q_OBJECT
public:
    // Multiples of the control's tick, in the order of the speed list.
    static constexpr double kSpeeds[] = {0.25, 0.5, 1.0, 2.0};
    static constexpr int kNormalSpeed = 2;

    CGaitTransport(CZubrelle& preview, QAbstractButton& play, QLabel& readout, QComboBox& speed);

    bool IsPlaying() const { return m_playing; }
    void SetPlaying(bool playing);
    void TogglePlay() { SetPlaying(!m_playing); }
    // Pauses, then shows the next frame, or the one before.
    void Step(bool back);
    // The speed list's entry `index` took effect.
    void SpeedChosen(int index);
    // "Frame 7 of 24", from the control.
    void UpdateReadout();
    // The readout's text for frame `current` (from 0) of `count`.
    static QString ReadoutText(int current, int count);

signals:
    // Play or Pause took effect (the large preview's transport follows).
    void PlayingChanged(bool playing);

private:
    CZubrelle& m_preview;
    QAbstractButton& m_play;
    QLabel& m_readout;
    QComboBox& m_speed;
    bool m_playing = true;
};

}  // namespace mirtala::ui
