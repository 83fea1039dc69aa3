#pragma once

#include "shell/centerform.h"

#include <QFont>

class QLabel;
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

// Font names of the classic desktop looked up as the installed fonts with the closest widths:
// "MS Sans Serif" and "Arial" as Liberation Sans. Safe to call more than once.
void registerFontSubstitutions();

// The font of a window that sets none of its own: the classic 8-point dialog font.
QFont defaultFormFont();

// Gives a caption label the room its text needs: right-aligned, it keeps the right edge the
// layout gives it and grows to the left, so a wider font never clips it.
void fitCaptionLeftward(QLabel* label);

// The window that shows `form`: the frame's child window around it, or the form itself.
QWidget* formWindow(QWidget* form);

}  // namespace motoreckon
