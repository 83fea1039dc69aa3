#pragma once

#include "shell/centerform.h"

class QScreen;
class QWidget;

namespace motoreckon {

// The whole screen as the parent of centring, its full size (task bars included) in twips.
class ScreenTwips final : public CenterParent {
  public:
    explicit ScreenTwips(const QScreen* screen) : screen_(screen) {}
    bool IsMdiFrame() const override { return false; }
    float Width() const override;
    float Height() const override;
    float ScaleWidth() const override { return Width(); }
    float ScaleHeight() const override { return Height(); }

  private:
    const QScreen* screen_;
};

// A top-level window or a frame's child window as the one being centred: its outer size and
// its position within its parent, in twips.
class WindowTwips final : public CenterChild {
  public:
    explicit WindowTwips(QWidget* window) : window_(window) {}
    float Width() const override;
    float Height() const override;
    void SetLeft(float left) override;
    void SetTop(float top) override;

  private:
    QWidget* window_;
};

// The window that shows `form`: the frame's child window around it, or the form itself.
QWidget* formWindow(QWidget* form);

}  // namespace motoreckon
