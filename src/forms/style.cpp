#include "forms/style.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
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

}  // namespace

void installStyle() { QApplication::setStyle(new StyleWithFixedIcons); }

void installWindowIcon() {
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icon"));
    for (const QString& file : sizes.entryList()) {
        const int pixels = QFileInfo(file).baseName().toInt();
        icon.addFile(sizes.filePath(file), QSize(pixels, pixels));
    }
    QApplication::setWindowIcon(icon);
}

}  // namespace motoreckon
