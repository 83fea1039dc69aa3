#include "shell/forms.h"

#include <QLabel>
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

void registerFontSubstitutions() {
    for (const char* classic : {"MS Sans Serif", "Arial"}) {
        QFont::insertSubstitution(QLatin1String(classic), QStringLiteral("Liberation Sans"));
    }
}

QFont defaultFormFont() {
    registerFontSubstitutions();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

void fitCaptionLeftward(QLabel* label) {
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int needed = label->sizeHint().width();
    if (needed <= label->width()) return;
    QRect geometry = label->geometry();
    geometry.setLeft(std::max(0, geometry.right() + 1 - needed));
    label->setGeometry(geometry);
}

QWidget* formWindow(QWidget* form) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) return sub;
    return form;
}

}  // namespace motoreckon
