#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace motoreckon {

struct Calculator;

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

    // How many windows of a numbered calculator have been opened so far (the road-speed and
    // engine-speed windows); the newest one carries the number in its caption. Closing a window
    // does not count down.
    int windowsOpened(const Calculator& calculator) const;
    // The window of a shared calculator while it has one, else nullptr.
    QWidget* sharedWindow(const Calculator& calculator) const;

    // Puts `form` into the client area as a child window with the title bar buttons `flags`.
    QMdiSubWindow* addChild(QWidget* form, Qt::WindowFlags flags);
    // A child window with title bar, system menu and minimize and maximize buttons whose size
    // stays that of its form: dragging its border cannot change it.
    QMdiSubWindow* addFixedSizeChild(QWidget* form);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildFormulasMenu(QMenu* formulas);
    void openCalculator(std::size_t row);
    void showCalculator(QWidget* form);
    void showAbout();
    void showHelp(std::uint32_t command);
    void refreshWindowList();
    void showMoreWindows();
    void cascade();
    void tile(Qt::Orientation bands);
    void arrangeIcons();

    QMdiArea* mdiArea_;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowListActions_;
    // For each calculator, by its row: the window of a shared one, which may be a top-level
    // window of its own that outlives the frame's closing while it is shown; how many windows
    // of a numbered one have been opened.
    std::vector<QPointer<QWidget>> shared_;
    std::vector<int> opened_;
};

}  // namespace motoreckon
