#include "forms/refusal_tip.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <chrono>

namespace motoreckon {

namespace {

using namespace std::chrono_literals;

// How long a note stays when nothing takes it away sooner.
constexpr auto kShownFor = 5s;

// The note of one box, a window of its own that looks like the desktop's tooltips. It belongs to
// the box and goes with it.
class RefusalTip final : public QLabel {
  public:
    explicit RefusalTip(QLineEdit* box)
        : QLabel(box, Qt::ToolTip | Qt::WindowDoesNotAcceptFocus), box_(box) {
        setObjectName(kName);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setTextFormat(Qt::PlainText);
        setForegroundRole(QPalette::ToolTipText);
        setBackgroundRole(QPalette::ToolTipBase);
        setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
        hideAfter_.setSingleShot(true);
        hideAfter_.setInterval(kShownFor);
        connect(&hideAfter_, &QTimer::timeout, this, &QWidget::hide);
        connect(box, &QLineEdit::textChanged, this, &QWidget::hide);
        box->installEventFilter(this);
        [[maybe_unused]] static const bool announced =
            (QAccessible::installFactory(accessibleTip), true);
    }

    // How a box's note is found among its children.
    static constexpr QLatin1StringView kName{"refusalTip"};

    void showText(const QString& text) {
        // As the desktop's tooltips look now.
        setPalette(QToolTip::palette());
        setFont(QToolTip::font());
        setText(text);
        adjustSize();
        const QRect room = box_->screen()->availableGeometry();
        const QPoint below = box_->mapToGlobal(QPoint(0, box_->height()));
        move(std::clamp(below.x(), room.left(), std::max(room.left(), room.right() + 1 - width())),
             std::clamp(below.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height())));
        show();
        raise();
        hideAfter_.start();
        // Qt tells a screen reader of no tooltip-type window as it shows (some would read it
        // twice); this one is news the user must hear, each time a key is refused.
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide) hide();
        return QLabel::eventFilter(watched, event);
    }

    void hideEvent(QHideEvent* event) override {
        hideAfter_.stop();
        QLabel::hideEvent(event);
    }

    void mousePressEvent(QMouseEvent*) override { hide(); }

    void paintEvent(QPaintEvent* event) override {
        QStylePainter painter(this);
        QStyleOptionFrame option;
        option.initFrom(this);
        painter.drawPrimitive(QStyle::PE_PanelTipLabel, option);
        painter.end();
        QLabel::paintEvent(event);
    }

  private:
    // A screen reader meets the note as a notification, which it speaks as it shows, named by
    // what it says.
    class Accessible final : public QAccessibleWidget {
      public:
        explicit Accessible(RefusalTip* tip) : QAccessibleWidget(tip, QAccessible::Notification) {}
        QString text(QAccessible::Text t) const override {
            return t == QAccessible::Name ? static_cast<const RefusalTip*>(widget())->text()
                                          : QAccessibleWidget::text(t);
        }
    };

    static QAccessibleInterface* accessibleTip(const QString&, QObject* object) {
        auto* tip = dynamic_cast<RefusalTip*>(object);
        return tip ? new Accessible(tip) : nullptr;
    }

    QLineEdit* box_;
    QTimer hideAfter_;
};

RefusalTip* tipOf(const QLineEdit* box) {
    return dynamic_cast<RefusalTip*>(
        box->findChild<QLabel*>(RefusalTip::kName, Qt::FindDirectChildrenOnly));
}

}  // namespace

void showRefusalTip(QLineEdit* box, const QString& text) {
    RefusalTip* tip = tipOf(box);
    if (!tip) tip = new RefusalTip(box);
    tip->showText(text);
}

void hideRefusalTip(QLineEdit* box) {
    if (RefusalTip* tip = tipOf(box)) tip->hide();
}

}  // namespace motoreckon
