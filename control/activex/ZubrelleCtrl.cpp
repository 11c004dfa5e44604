// The picture control's properties, change reaction, animation preparation,
// timer and paint path.
#include "control/activex/ZubrelleCtrl.h"

#include <algorithm>

#include "control/ZubrelleInterface.h"
#include "control/activex/BodyCache.h"
#include "control/activex/TargetPaint.h"
#include "control/activex/ZubrelleResources.h"
#include "control/activex/ZubrelleTypeLib.h"
#include "control/body/PoseSlotValues.h"
#include "control/body/Truncate.h"
#include "platform/registry/HostFolders.h"

namespace zubrelle {

using namespace com;

CZubrelleCtrl::CZubrelleCtrl()
    : COleControl(DZubrelleType(), DIID__DZubrelleEvents, LIBID_ZUBRELLELib, {CLSID_ZubrellePropPage}) {
    m_friction = 1;
    m_poseCount = 1;
    m_angle = 0.0;
    m_scale = 1.0f;
    m_prepared = false;
    m_appearance = Appearance{};
    FindFolders();
    m_body = AcquireBody(m_appearance);
}

CZubrelleCtrl::~CZubrelleCtrl() {
    if (m_timerId != 0) KillTimer(kAnimationTimerId);
    ReleaseBody(m_body);
}

IUnknown* CZubrelleCtrl::Create() { return static_cast<IDispatch*>(new CZubrelleCtrl()); }

void CZubrelleCtrl::FindFolders() {
    namespace reg = mirtala::registry;
    reg::HostFolders found;
    if (m_imagesChoice.empty() || m_bodyDataChoice.empty()) found = reg::FindHostFolders();
    m_imagesDirectory = m_imagesChoice.empty() ? found.images.path : reg::ResolveHostFolder(m_imagesChoice);
    m_bodyDataDirectory = m_bodyDataChoice.empty() ? found.bodyData.path : reg::ResolveHostFolder(m_bodyDataChoice);
}

std::shared_ptr<BodyModel> CZubrelleCtrl::AcquireBody(const Appearance& appearance, bool retryFailed) {
    return BodyCache::Instance().Acquire(appearance, m_imagesDirectory, m_bodyDataDirectory, m_loadError, retryFailed);
}

void CZubrelleCtrl::SwapBody(bool retryFailed) {
    if (m_timerId != 0) KillTimer(m_timerId);
    m_timerId = 0;
    FindFolders();
    ReleaseBody(m_body);
    m_body = AcquireBody(m_appearance, retryFailed);
    m_prepared = false;
    InvalidateControl(true);
}

void CZubrelleCtrl::ReloadBody() { SwapBody(true); }

// A put is a host trying a folder: a body that failed there before is tried
// again, since files may have arrived since.
void CZubrelleCtrl::SetImagesDirectory(const std::string& folder) {
    m_imagesChoice = folder;
    SwapBody(true);
}

void CZubrelleCtrl::SetBodyDataDirectory(const std::string& folder) {
    m_bodyDataChoice = folder;
    SwapBody(true);
}

void CZubrelleCtrl::ReleaseBody(const std::shared_ptr<BodyModel>& body) { BodyCache::Instance().Release(body); }

void CZubrelleCtrl::OnPropertyChanged() {
    m_prepared = false;
    InvalidateControl(true);
    SetModifiedFlag();
}

void CZubrelleCtrl::SetScale(float scale) {
    m_scale = scale;
    OnPropertyChanged();
}

void CZubrelleCtrl::SetFriction(bool friction) {
    m_friction = friction ? 1 : 0;
    OnPropertyChanged();
}

void CZubrelleCtrl::SetAngle(double angle) {
    m_angle = angle;
    OnPropertyChanged();
}

void CZubrelleCtrl::SetPoseCount(std::int16_t count) {
    m_poseCount = count < 1 ? 1 : count > kMaxPoses ? kMaxPoses : count;
    OnPropertyChanged();
}

std::string CZubrelleCtrl::GetPoseString(std::int16_t index) const {
    if (index < 0 || index >= kMaxPoses) return {};
    return m_poseStrings[std::size_t(index)];
}

void CZubrelleCtrl::SetPoseString(std::int16_t index, const std::string& poseString) {
    if (index >= 0 && index < kMaxPoses) m_poseStrings[std::size_t(index)] = poseString;
    OnPropertyChanged();
}

void CZubrelleCtrl::SetAppearance(std::int16_t headGenus, std::int16_t headVariant, std::int16_t bodyGenus,
                                  std::int16_t bodyVariant, std::int16_t legsGenus, std::int16_t legsVariant,
                                  std::int16_t armsGenus, std::int16_t armsVariant, std::int16_t tailGenus,
                                  std::int16_t tailVariant, std::int16_t sex, std::int16_t age) {
    if (m_timerId != 0) KillTimer(m_timerId);
    m_timerId = 0;
    m_appearance = Appearance{sex,       age,         headGenus, headVariant, bodyGenus, bodyVariant,
                              legsGenus, legsVariant, armsGenus, armsVariant, tailGenus, tailVariant};
    ReleaseBody(m_body);
    m_body = AcquireBody(m_appearance);
    m_prepared = false;
    InvalidateControl(true);
}

// Angles beyond the integer range saturate, as every truncation of the engine does.
int CZubrelleCtrl::TruncatedAngle() const { return TruncToInt(m_angle); }

void CZubrelleCtrl::PrepareAnimation() {
    if (m_prepared) return;
    if (m_timerId != 0) KillTimer(kAnimationTimerId);
    m_timerId = 0;
    int prepared = 0;
    if (m_poseCount > 1) {
        std::array<PoseSlotValues, kMaxPoses + 1> poses{};
        for (int i = 0; i < m_poseCount; ++i) poses[std::size_t(i)] = ConvertPoseString(m_poseStrings[std::size_t(i)]);
        double scale = static_cast<double>(m_scale);
        if (m_friction) {
            RECT c = GetClientRect();
            prepared = m_body->PrepareWalk(gdi::Rect{c.left, c.top, c.right, c.bottom}, poses, m_poseCount, scale,
                                           TruncatedAngle(), m_animation);
        } else {
            prepared = m_body->PrepareStand(poses, m_poseCount, scale, m_animation);
        }
        if (m_playing) m_timerId = SetTimer(kAnimationTimerId, kAnimationPeriodMs);
    }
    m_frameCount = m_poseCount > 1 ? prepared : 1;
    m_shown.clear();
    m_holdNext = false;
    m_prepared = true;
}

std::int32_t CZubrelleCtrl::GetFrameCount() const {
    if (m_prepared) return m_frameCount;
    if (m_poseCount == 1) return 1;
    // The count does not depend on the rectangle, so preparing in place on a
    // scratch state tells it without touching the animation.
    std::array<PoseSlotValues, kMaxPoses + 1> poses{};
    for (int i = 0; i < m_poseCount; ++i) poses[std::size_t(i)] = ConvertPoseString(m_poseStrings[std::size_t(i)]);
    auto scratch = std::make_unique<AnimationState>();
    return m_body->PrepareStand(poses, m_poseCount, static_cast<double>(m_scale), *scratch);
}

std::int32_t CZubrelleCtrl::GetCurrentFrame() const {
    return m_prepared && !m_shown.empty() ? m_shown.back().current : 0;
}

void CZubrelleCtrl::SetPlaying(bool playing) {
    m_playing = playing;
    if (!playing && m_timerId != 0) KillTimer(kAnimationTimerId);
    if (!playing) m_timerId = 0;
    // Resuming goes on from the frame shown; only a change of what is shown restarts.
    if (playing && m_prepared && m_poseCount > 1 && m_timerId == 0)
        m_timerId = SetTimer(kAnimationTimerId, kAnimationPeriodMs);
    SetModifiedFlag();
}

CZubrelleCtrl::FrameStart CZubrelleCtrl::StartOfNextFrame() const {
    return {m_animation.current, m_animation.position, m_animation.plantedFoot, m_animation.swingFoot};
}

void CZubrelleCtrl::Restore(const FrameStart& start) {
    m_animation.current = start.current;
    m_animation.position = start.position;
    m_animation.plantedFoot = start.plantedFoot;
    m_animation.swingFoot = start.swingFoot;
}

void CZubrelleCtrl::DrawSequenceFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap) {
    if (m_friction) {
        m_body->DrawWalkFrame(rect, bitmap, m_animation);
    } else {
        m_body->DrawStandFrame(rect, bitmap, TruncatedAngle(), m_animation);
    }
}

void CZubrelleCtrl::DrawNextFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap) {
    m_shown.push_back(StartOfNextFrame());
    if (m_shown.size() > kRememberedFrames) m_shown.pop_front();
    DrawSequenceFrame(rect, bitmap);
}

void CZubrelleCtrl::StepFrame(bool back) {
    if (!HasWindow()) return;
    PrepareAnimation();
    if (m_poseCount == 1 || m_frameCount == 0) return;
    if (back) {
        // The start of the frame shown is where the one before it ended.
        if (m_shown.size() < 2) return;
        Restore(m_shown.back());
        m_shown.pop_back();
    } else {
        // A walk moves on only by drawing, so the frame is drawn off screen now.
        RECT c = GetClientRect();
        gdi::Rect rect{c.left, c.top, c.right, c.bottom};
        if (m_offscreen.Width() != rect.Width() || m_offscreen.Height() != rect.Height())
            m_offscreen = gdi::Bitmap(rect.Width(), rect.Height());
        if (m_shown.empty()) DrawNextFrame(rect, m_offscreen);  // frame 0, which the next paint would show
        DrawNextFrame(rect, m_offscreen);
    }
    m_holdNext = true;
    InvalidateControl(true);
}

void CZubrelleCtrl::DrawOffsetFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap) {
    const FrameStart next = StartOfNextFrame();
    // Before the first paint the frame shown is the one the next paint draws.
    const FrameStart shown = m_shown.empty() ? next : m_shown.back();
    const std::int32_t n = m_frameCount;
    if (m_frameOffset > 0) {
        // A walk moves on only by drawing: the frames after are drawn in turn
        // from the shown one, so each stands where the animation will put it.
        Restore(shown);
        // (as far as one loop on).
        const std::int32_t steps = std::min(m_frameOffset, n);
        for (std::int32_t k = 0; k <= steps; ++k) DrawSequenceFrame(rect, bitmap);
    } else {
        const std::size_t back = std::size_t(-std::int64_t(m_frameOffset));
        if (m_shown.size() > back) {
            Restore(m_shown[m_shown.size() - 1 - back]);  // as it was shown
        } else {
            // Shown before the remembered start (the start of a walk): the
            // frame of the loop, drawn from where the shown frame stands.
            Restore(shown);
            m_animation.current = std::int32_t(((shown.current - std::int64_t(back)) % n + n) % n);
        }
        DrawSequenceFrame(rect, bitmap);
    }
    Restore(next);
}

void CZubrelleCtrl::OnDraw(const PixelTarget& target, const RECT& bounds) {
    PrepareAnimation();
    gdi::Rect rect{bounds.left, bounds.top, bounds.right, bounds.bottom};
    if (m_poseCount == 1 && m_poseStrings[0].empty()) {
        FillTarget(target, bounds, gdi::Rgb(255, 255, 255));
        return;
    }
    // Kept between paints of one size. The drawing operations fill it white
    // first; a body that failed to load draws nothing, and then it is made
    // white here so that the picture is empty rather than stale.
    if (m_offscreen.Width() != rect.Width() || m_offscreen.Height() != rect.Height())
        m_offscreen = gdi::Bitmap(rect.Width(), rect.Height());
    gdi::Bitmap& bitmap = m_offscreen;
    if (!m_body->IsLoaded()) std::fill(bitmap.Pixels().begin(), bitmap.Pixels().end(), gdi::Rgb(255, 255, 255));
    if (m_poseCount == 1) {
        m_body->DrawPose(rect, bitmap, ConvertPoseString(m_poseStrings[0]), static_cast<double>(m_scale), m_animation);
    } else if (m_frameOffset != 0 && m_frameCount > 0) {
        DrawOffsetFrame(rect, bitmap);
        CopyToTarget(target, bounds.left, bounds.top, bitmap);
        return;  // m_holdNext stays: the offset frame is not what the picture shows
    } else if ((m_playing && !m_holdNext) || m_shown.empty()) {
        DrawNextFrame(rect, bitmap);
    } else {
        // Held: the frame shown drawn again from where it started.
        Restore(m_shown.back());
        DrawSequenceFrame(rect, bitmap);
    }
    m_holdNext = false;
    CopyToTarget(target, bounds.left, bounds.top, bitmap);
}

void CZubrelleCtrl::OnDestroyWindow() {
    if (m_timerId != 0) KillTimer(kAnimationTimerId);
    // Without the window the timer is gone: a new window prepares afresh.
    m_timerId = 0;
    m_prepared = false;
}

void CZubrelleCtrl::AboutBox() { ShowModalMessage(kAboutBoxCaption, kAboutBoxText); }

namespace {
HRESULT ReturnText(const std::string& text, VARIANT* result) {
    if (!result) return S_OK;
    *result = MakeBstr(text);
    return result->bstrVal ? S_OK : E_OUTOFMEMORY;
}
}  // namespace

HRESULT CZubrelleCtrl::InvokeMember(const DispatchCall& call, VARIANT* result) {
    const auto& a = call.args;
    switch (call.member->dispid) {
        case DISPID_Scale:
            if (call.isPut)
                SetScale(a[0].fltVal);
            else if (result)
                *result = MakeR4(m_scale);
            return S_OK;
        case DISPID_Friction:
            if (call.isPut)
                SetFriction(a[0].boolVal != VARIANT_FALSE);
            else if (result)
                *result = MakeBool(m_friction != 0);
            return S_OK;
        case DISPID_Angle:
            if (call.isPut)
                SetAngle(a[0].dblVal);
            else if (result)
                *result = MakeR8(m_angle);
            return S_OK;
        case DISPID_PoseCount:
            if (call.isPut)
                SetPoseCount(a[0].iVal);
            else if (result)
                *result = MakeI2(m_poseCount);
            return S_OK;
        case DISPID_PoseString:
            if (call.isPut) {
                SetPoseString(a[0].iVal, Utf8FromBstr(a[1].bstrVal));
            } else if (result) {
                *result = MakeBstr(GetPoseString(a[0].iVal));
                if (!result->bstrVal) return E_OUTOFMEMORY;
            }
            return S_OK;
        case DISPID_SetAppearance:
            SetAppearance(a[0].iVal, a[1].iVal, a[2].iVal, a[3].iVal, a[4].iVal, a[5].iVal, a[6].iVal, a[7].iVal,
                          a[8].iVal, a[9].iVal, a[10].iVal, a[11].iVal);
            return S_OK;
        case DISPID_LoadError: return ReturnText(m_loadError, result);
        case DISPID_ImagesDirectory:
            if (!call.isPut) return ReturnText(m_imagesDirectory, result);
            SetImagesDirectory(Utf8FromBstr(a[0].bstrVal));
            return S_OK;
        case DISPID_BodyDataDirectory:
            if (!call.isPut) return ReturnText(m_bodyDataDirectory, result);
            SetBodyDataDirectory(Utf8FromBstr(a[0].bstrVal));
            return S_OK;
        case DISPID_ReloadBody: ReloadBody(); return S_OK;
        case DISPID_FrameCount:
            if (result) *result = MakeI4(GetFrameCount());
            return S_OK;
        case DISPID_CurrentFrame:
            if (result) *result = MakeI4(GetCurrentFrame());
            return S_OK;
        case DISPID_Playing:
            if (call.isPut)
                SetPlaying(a[0].boolVal != VARIANT_FALSE);
            else if (result)
                *result = MakeBool(m_playing);
            return S_OK;
        case DISPID_FrameOffset:
            if (call.isPut)
                SetFrameOffset(a[0].lVal);
            else if (result)
                *result = MakeI4(m_frameOffset);
            return S_OK;
        case DISPID_StepFrame: StepFrame(a[0].boolVal != VARIANT_FALSE); return S_OK;
        default: return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace zubrelle
