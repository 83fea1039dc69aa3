#include "forms/style.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QIconEngine>
#include <QProxyStyle>
#include <QStyleOption>
#include <map>
#include <utility>

namespace motoreckon {

namespace {

// The pictures of a child window's title bar and system menu, and of the button a menu bar
// shows when its menus do not fit: each depends on nothing but the writing direction.
bool isFixedPicture(QStyle::StandardPixmap icon) {
    switch (icon) {
        case QStyle::SP_TitleBarMenuButton:
        case QStyle::SP_TitleBarMinButton:
        case QStyle::SP_TitleBarMaxButton:
        case QStyle::SP_TitleBarCloseButton:
        case QStyle::SP_TitleBarNormalButton:
        case QStyle::SP_TitleBarShadeButton:
        case QStyle::SP_TitleBarUnshadeButton:
        case QStyle::SP_TitleBarContextHelpButton:
        case QStyle::SP_ToolBarHorizontalExtensionButton:
        case QStyle::SP_ToolBarVerticalExtensionButton:
            return true;
        default:
            return false;
    }
}

// The platform's style, with those icons made once: Qt's styles would read them from their image
// files again for every child window and every menu bar a window creates, and for every repaint
// of a title bar, which makes opening a window slow.
class StyleWithFixedIcons final : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (!isFixedPicture(icon)) return QProxyStyle::standardIcon(icon, option, widget);
        const Qt::LayoutDirection direction =
            option ? option->direction : QGuiApplication::layoutDirection();
        const auto key = std::make_pair(icon, direction);
        auto made = icons_.find(key);
        if (made == icons_.end()) {
            made = icons_.emplace(key, QProxyStyle::standardIcon(icon, option, widget)).first;
        }
        return made->second;
    }

  private:
    mutable std::map<std::pair<StandardPixmap, Qt::LayoutDirection>, QIcon> icons_;
};

// The program's icon, read from its pictures only when something first draws it or asks for its
// sizes: reading them all is a tenth of what starting the program costs, and a window whose
// platform shows no icon never needs them.
class ProgramIconEngine final : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new ProgramIconEngine; }

  private:
    // The pictures of every size the build rendered, named by their size in pixels.
    const QIcon& icon() {
        if (icon_.isNull()) {
            const QDir sizes(QStringLiteral(":/icon"));
            for (const QString& file : sizes.entryList()) {
                const int pixels = QFileInfo(file).baseName().toInt();
                icon_.addFile(sizes.filePath(file), QSize(pixels, pixels));
            }
        }
        return icon_;
    }

    QIcon icon_;
};

}  // namespace

void installStyle() { QApplication::setStyle(new StyleWithFixedIcons); }

void installWindowIcon() { QApplication::setWindowIcon(QIcon(new ProgramIconEngine)); }

}  // namespace motoreckon
