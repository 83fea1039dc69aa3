#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace motoreckon {

class discom;
class frmCarbSize;
class frmHP_MPH;

// The main window: a multiple-document frame whose menu tree opens the calculators.
class MDIForm1 final : public QMainWindow {
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

    // How many road-speed and engine-speed windows have been opened so far; the newest one
    // carries the number in its caption. Closing a window does not count down.
    int mphWindowCount() const { return MPHWindowCount; }
    int rpmWindowCount() const { return RPMWindowCount; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    template <class Form, class Load>
    void showShared(QPointer<Form>& form, Load&& load);
    void showDiscom();
    void openSpeedWindow(std::int16_t formType, const QString& kind, int& count);
    void showAbout();
    void showHelp(std::uint32_t command);
    void refreshWindowList();
    void showMoreWindows();
    QMdiSubWindow* addChild(QWidget* form, Qt::WindowFlags flags);
    QMdiSubWindow* addFixedSizeChild(QWidget* form);
    void cascade();
    void tile(Qt::Orientation bands);
    void arrangeIcons();

    QMdiArea* mdiArea_;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowListActions_;
    QPointer<frmCarbSize> carbSize_;
    // A top-level window of its own, not a child of the frame; it may outlive the frame's
    // closing while it is shown.
    QPointer<discom> discom_;
    QPointer<frmHP_MPH> hpMph_;
    int MPHWindowCount = 0;
    int RPMWindowCount = 0;
};

}  // namespace motoreckon
