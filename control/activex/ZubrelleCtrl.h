// CZubrelleCtrl: the picture control. It shows a creature of one appearance
// standing in pose string 0, or animates pose strings 0 to PoseCount - 1
// walking (Friction) or stepping in place over a sloped floor line.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "control/activex/OleControl.h"
#include "control/body/AnimationState.h"
#include "control/body/Appearance.h"
#include "control/body/BodyModel.h"

namespace zubrelle {

class CZubrelleCtrl final : public COleControl {
public:
    static constexpr int kMaxPoses = 8;

    CZubrelleCtrl();
    ~CZubrelleCtrl() override;

    // A new control with one reference, for the class factory.
    static com::IUnknown* Create();

    // The automation members, as the dispatch interface reaches them.
    float GetScale() const { return m_scale; }
    void SetScale(float scale);
    bool GetFriction() const { return m_friction != 0; }
    void SetFriction(bool friction);
    double GetAngle() const { return m_angle; }
    void SetAngle(double angle);
    std::int16_t GetPoseCount() const { return m_poseCount; }
    void SetPoseCount(std::int16_t count);
    std::string GetPoseString(std::int16_t index) const;
    void SetPoseString(std::int16_t index, const std::string& poseString);
    void SetAppearance(std::int16_t headGenus, std::int16_t headVariant, std::int16_t bodyGenus,
                       std::int16_t bodyVariant, std::int16_t legsGenus, std::int16_t legsVariant,
                       std::int16_t armsGenus, std::int16_t armsVariant, std::int16_t tailGenus,
                       std::int16_t tailVariant, std::int16_t sex, std::int16_t age);

    // Why the body did not load (the body loader's message), empty when it did.
    const std::string& GetLoadError() const { return m_loadError; }
    // The folders in use. A put tries the given folder on this control alone
    // and loads the body from it (again, if it failed there before); an empty
    // put goes back to the host product's.
    const std::string& GetImagesDirectory() const { return m_imagesDirectory; }
    void SetImagesDirectory(const std::string& folder);
    const std::string& GetBodyDataDirectory() const { return m_bodyDataDirectory; }
    void SetBodyDataDirectory(const std::string& folder);
    // Finds the folders again and reloads the body; a body that failed to load
    // is tried again even when the folders did not change.
    void ReloadBody();

    // The frames of one cycle: 1 for a still picture, the expanded frames of
    // a sequence, 0 when the body did not load. Answered for the properties
    // as they are, before the next paint prepares them.
    std::int32_t GetFrameCount() const;
    // The frame the picture shows, from 0 (0 too before the first paint).
    std::int32_t GetCurrentFrame() const;
    // Playing (the default) runs the animation as painting always did; held,
    // the timer stops and every paint shows the frame shown last again.
    bool GetPlaying() const { return m_playing; }
    void SetPlaying(bool playing);
    // One frame on, or back as far as the frames shown since the animation
    // started (up to kRememberedFrames); the next paint shows it.
    void StepFrame(bool back);

    static constexpr std::size_t kRememberedFrames = 1000;

    // 0, the default: paints show the animation. Otherwise every paint draws
    // the frame `offset` frames after the one shown (before it when negative,
    // wrapping around the loop) and leaves the animation, its timer and the
    // frame shown as they were: a host's onion skin draws the neighbours so.
    // A put changes nothing else and does not repaint.
    std::int32_t GetFrameOffset() const { return m_frameOffset; }
    void SetFrameOffset(std::int32_t offset) { m_frameOffset = offset; }

    // State a test can look at.
    bool IsPrepared() const { return m_prepared; }
    std::uint32_t TimerId() const { return m_timerId; }
    const std::shared_ptr<BodyModel>& Body() const { return m_body; }

protected:
    void OnDraw(const com::PixelTarget& target, const com::RECT& bounds) override;
    com::HRESULT InvokeMember(const com::DispatchCall& call, com::VARIANT* result) override;
    void OnDestroyWindow() override;
    void AboutBox() override;

private:
    void OnPropertyChanged();
    void PrepareAnimation();
    std::shared_ptr<BodyModel> AcquireBody(const Appearance& appearance, bool retryFailed = false);
    void FindFolders();
    // Finds the folders again and takes the body of the appearance from them,
    // as SetAppearance does for a new appearance.
    void SwapBody(bool retryFailed);
    void ReleaseBody(const std::shared_ptr<BodyModel>& body);
    int TruncatedAngle() const;
    // The part of the animation state a draw changes, taken before a frame is
    // drawn: drawing from it again gives the same picture and the same state after.
    struct FrameStart {
        std::int32_t current;
        gdi::Point position;
        std::int32_t plantedFoot;
        gdi::Point swingFoot;
    };
    FrameStart StartOfNextFrame() const;
    void Restore(const FrameStart& start);
    // Draws the next frame of a sequence into the bitmap, remembering where it started.
    void DrawNextFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap);
    void DrawSequenceFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap);
    // Draws the frame m_frameOffset away from the one shown; the state is restored after.
    void DrawOffsetFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap);

    float m_scale;
    std::int32_t m_friction;
    double m_angle;
    std::shared_ptr<BodyModel> m_body;
    std::int16_t m_poseCount;
    std::array<std::string, kMaxPoses> m_poseStrings;
    std::string m_imagesDirectory;
    std::string m_bodyDataDirectory;
    std::string m_imagesChoice;    // put through ImagesDirectory; empty for the host product's
    std::string m_bodyDataChoice;  // put through BodyDataDirectory; empty for the host product's
    std::string m_loadError;
    bool m_prepared;
    std::uint32_t m_timerId = 0;
    AnimationState m_animation;
    bool m_playing = true;
    bool m_holdNext = false;        // a step chose what the next paint shows
    std::int32_t m_frameCount = 0;  // of the last preparation
    std::int32_t m_frameOffset = 0;
    std::deque<FrameStart> m_shown;  // the frames shown since the preparation, the latest last
    Appearance m_appearance;
    gdi::Bitmap m_offscreen;
};

}  // namespace zubrelle
