#pragma once

#include <QMainWindow>
#include <QPointer>

#include "shell/centerform.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace motoreckon {

class discom;
class frmCarbSize;

// The main window: a multiple-document frame whose menu tree opens the calculators.
class MDIForm1 final : public QMainWindow, public CenterParent {
    Q_OBJECT

  public:
    // How Arrange lays out the child windows.
    enum ArrangeCode : std::int16_t {
        Cascade = 0,
        TileHorizontal = 1,
        TileVertical = 2,
        ArrangeIcons = 3,
    };

    explicit MDIForm1(QWidget* parent = nullptr);
    ~MDIForm1() override;

    QMdiArea* mdiArea() const { return mdiArea_; }
    void Arrange(std::int16_t code);

    // Centring reads the frame's client area.
    bool IsMdiFrame() const override { return true; }
    float Width() const override;
    float Height() const override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void showCarbSize();
    void showDiscom();
    void showAbout();
    void showHelp(std::uint32_t command);
    void refreshWindowList();
    void showMoreWindows();
    QMdiSubWindow* addChild(QWidget* form, Qt::WindowFlags flags);
    void tile(Qt::Orientation bands);
    void arrangeIcons();

    QMdiArea* mdiArea_;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowListActions_;
    QPointer<frmCarbSize> carbSize_;
    // A top-level window of its own, not a child of the frame; it may outlive the frame's
    // closing while it is shown.
    QPointer<discom> discom_;
};

}  // namespace motoreckon
