#pragma once

#include <QMargins>

#include "core/centerform.h"

class QMdiArea;
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

// A multiple-document frame as the parent of centring: its outer size, and its client area, the
// inside of `area`.
class FrameTwips final : public CenterParent {
  public:
    explicit FrameTwips(const QMdiArea* area) : area_(area) {}
    bool IsMdiFrame() const override { return true; }
    float Width() const override;
    float Height() const override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;

  private:
    const QMdiArea* area_;
};

// A top-level window or a frame's child window as the one being centred: its outer size and
// its position within its parent, in twips. The outer size is the window's own plus `frame`,
// the title bar and borders the window system puts around a top-level window (frameMargins);
// Left and Top place the outer rectangle, so the window itself lands inside the margins.
class WindowTwips final : public CenterChild {
  public:
    explicit WindowTwips(QWidget* window, QMargins frame = QMargins())
        : window_(window), frame_(frame) {}
    float Width() const override;
    float Height() const override;
    void SetLeft(float left) override;
    void SetTop(float top) override;

  private:
    QWidget* window_;
    QMargins frame_;
};

// The title bar and borders the window system puts around the top-level `window`, as soon as
// they can be known: a window manager of X11 tells them before the window is first shown, when
// asked. None for a child window, and none without a window manager.
QMargins frameMargins(QWidget* window);

// The window that shows `form`: the frame's child window around it, or the form itself.
QWidget* formWindow(QWidget* form);

}  // namespace motoreckon
