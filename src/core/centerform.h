#pragma once

namespace motoreckon {

// What centring reads from a parent, in twips: the screen, or a window. A multiple-document
// frame is measured by its client area (ScaleWidth, ScaleHeight), anything else by its outer
// size (Width, Height).
class CenterParent {
  public:
    virtual ~CenterParent() = default;
    virtual bool IsMdiFrame() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
};

// What centring reads from and sets on the window it moves, in twips: its outer size and its
// position. Each Set moves the window at once.
class CenterChild {
  public:
    virtual ~CenterChild() = default;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float left) = 0;
    virtual void SetTop(float top) = 0;
};

// Places the child in the middle of the parent: Left = (W - w) / 2, then Top = (H - h) / 2,
// in single precision with no rounding to whole twips and no clamping.
void CenterForm(const CenterParent& parent, CenterChild& child);

}  // namespace motoreckon
