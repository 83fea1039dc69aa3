#include "shell/forms.h"

#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

#include "shell/twips.h"

namespace motoreckon {

float ScreenTwips::Width() const { return pixelsToTwips(screen_->geometry().width()); }

float ScreenTwips::Height() const { return pixelsToTwips(screen_->geometry().height()); }

float WindowTwips::Width() const { return pixelsToTwips(window_->frameGeometry().width()); }

float WindowTwips::Height() const { return pixelsToTwips(window_->frameGeometry().height()); }

void WindowTwips::SetLeft(float left) { window_->move(twipsToPixels(left), window_->pos().y()); }

void WindowTwips::SetTop(float top) { window_->move(window_->pos().x(), twipsToPixels(top)); }

QWidget* formWindow(QWidget* form) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) return sub;
    return form;
}

}  // namespace motoreckon
