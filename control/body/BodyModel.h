// One loaded body: the fourteen parts of one appearance, and the operations that draw a
// still pose or the frames of an animation from them into a bitmap.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "control/body/AnimationState.h"
#include "control/body/Appearance.h"
#include "control/body/FigureLayout.h"
#include "control/body/PartData.h"
#include "control/body/PoseSlotValues.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Geometry.h"

namespace zubrelle {

class BodyModel {
public:
    BodyModel() = default;
    BodyModel(const BodyModel&) = delete;
    BodyModel& operator=(const BodyModel&) = delete;

    // 0 when all fourteen parts loaded, -1 otherwise with the first failing part's message
    // in errorText and the model left empty.
    int Load(std::string_view imagesDirectory, std::string_view bodyDataDirectory, std::int32_t headGenus,
             std::int32_t bodyGenus, std::int32_t legsGenus, std::int32_t armsGenus, std::int32_t tailGenus,
             std::int32_t sex, std::int32_t age, std::int32_t headVariant, std::int32_t bodyVariant,
             std::int32_t legsVariant, std::int32_t armsVariant, std::int32_t tailVariant, std::string& errorText);
    int Load(std::string_view imagesDirectory, std::string_view bodyDataDirectory, const Appearance& appearance,
             std::string& errorText);
    // Releases every pixel array; the model is no longer loaded.
    void Clear();

    bool IsLoaded() const { return m_loaded != 0; }
    // part 1 to 14.
    const PartData& Part(int part) const { return m_parts[std::size_t(part)]; }

    // Draws one still pose centred in rect; rect's size is the bitmap's size.
    void DrawPose(const gdi::Rect& rect, gdi::Bitmap& bitmap, const PoseSlotValues& pose, double scale,
                  AnimationState& animation) const;

    FigureLayout LayoutFigure(const PoseSlotValues& pose, double scale) const;

    // Fills width x height white, draws the floor line when asked, then paints the figure
    // so that base (a point of the scaled figure box) lands on position.
    void RenderFigure(const FigureLayout& layout, double scale, bool floorLine, gdi::Point origin, gdi::Point base,
                      std::int32_t width, std::int32_t height, gdi::Point position, gdi::Bitmap& bitmap,
                      const AnimationState& animation) const;

    // poses holds count poses and room for one more. Return the number of frames, or 0
    // when the model is not loaded.
    int PrepareWalk(const gdi::Rect& clientRect, std::span<PoseSlotValues> poses, int count, double scale, int angle,
                    AnimationState& animation) const;
    int PrepareStand(std::span<PoseSlotValues> poses, int count, double scale, AnimationState& animation) const;

    // Draw the current frame and advance; return the index of the frame drawn (0 when the
    // model is not loaded).
    int DrawWalkFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap, AnimationState& animation) const;
    int DrawStandFrame(const gdi::Rect& rect, gdi::Bitmap& bitmap, int angle, AnimationState& animation) const;

private:
    std::array<PartData, kPartCount + 1> m_parts;  // entry 0 unused
    std::int32_t m_loaded = 0;
};

}  // namespace zubrelle
