#include "app/mdiform1.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "app/calculators.h"
#include "app/helpviewer.h"
#include "forms/calculation.h"
#include "forms/calculator_form.h"
#include "forms/controls.h"
#include "forms/feedback.h"
#include "forms/menus.h"
#include "forms/placement.h"
#include "forms/twips.h"

namespace motoreckon {

namespace {

// The window list shows this many child windows; the rest are reached through
// "More Windows...".
constexpr int kListedWindows = 9;

// An entry that is part of the menu, with its command, but that the user cannot choose.
QAction* addHiddenEntry(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = addEntry(menu, name, caption);
    action->setVisible(false);
    return action;
}

// Where the keyboard goes in a child window that is brought up: the control that had the focus
// in it last, else the first control of its tab order that takes the focus, else the window.
QWidget* focusTarget(QMdiSubWindow* sub) {
    QWidget* form = sub->widget();
    if (!form) return sub;
    if (QWidget* last = form->focusWidget(); last && takesFocus(form, last)) return last;
    for (QWidget* next = form->nextInFocusChain(); next && next != form;
         next = next->nextInFocusChain()) {
        if (takesFocus(form, next)) return next;
    }
    return sub;
}

QAction* addSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QLatin1String(name));
    return separator;
}

}  // namespace

MDIForm1::MDIForm1(QWidget* parent)
    : QMainWindow(parent),
      mdiArea_(new QMdiArea(this)),
      shared_(calculators().size()),
      opened_(calculators().size()) {
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("MDIForm1"));
    mdiArea_->setObjectName(QStringLiteral("mdiClient"));
    mdiArea_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(mdiArea_);
    buildMenus();

    const QSize client = twipsSize(9285, 5715);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());

    // Load: centre the frame on the whole screen by its outer size before it is first shown.
    // The native window is made first, so that the window manager can tell its title bar and
    // borders.
    winId();
    WindowTwips self(this, frameMargins(this));
    CenterForm(ScreenTwips(screen()), self);
}

// A calculator window of its own has no parent; a hidden one would otherwise be left behind.
MDIForm1::~MDIForm1() {
    for (const QPointer<QWidget>& form : shared_) {
        if (form && form->isWindow()) delete form;
    }
}

int MDIForm1::windowsOpened(const Calculator& calculator) const {
    return opened_.at(static_cast<std::size_t>(&calculator - calculators().data()));
}

QWidget* MDIForm1::sharedWindow(const Calculator& calculator) const {
    return shared_.at(static_cast<std::size_t>(&calculator - calculators().data()));
}

void MDIForm1::buildMenus() {
    QMenuBar* bar = menuBar();

    buildFormulasMenu(addSubmenu(bar, "mnuFormulas", QStringLiteral("Formulas")));

    windowMenu_ = addSubmenu(bar, "mnuWindow", QStringLiteral("&Window"));
    connect(addEntry(windowMenu_, "mnuWindowCascade", QStringLiteral("&Cascade")),
            &QAction::triggered, this, [this] { Arrange(Cascade); });
    connect(
        addHiddenEntry(windowMenu_, "mnuWindowTileHorizontal", QStringLiteral("Tile &Horizontal")),
        &QAction::triggered, this, [this] { Arrange(TileHorizontal); });
    connect(addHiddenEntry(windowMenu_, "mnuWindowTileVertical", QStringLiteral("Tile &Vertical")),
            &QAction::triggered, this, [this] { Arrange(TileVertical); });
    connect(addHiddenEntry(windowMenu_, "mnuWindowArrangeIcons", QStringLiteral("&Arrange Icons")),
            &QAction::triggered, this, [this] { Arrange(ArrangeIcons); });
    addSeparator(windowMenu_, "mnuWindowBar1")->setVisible(false);
    connect(windowMenu_, &QMenu::aboutToShow, this, &MDIForm1::refreshWindowList);

    QMenu* help = addSubmenu(bar, "mnuHelp", QStringLiteral("&Help"));
    connect(addEntry(help, "mnuHelpContents", QStringLiteral("&Contents")), &QAction::triggered,
            this, [this] { showHelp(kHelpContents); });
    connect(addEntry(help, "mnuHelpSearch", QStringLiteral("&Search For Help On...")),
            &QAction::triggered, this, [this] { showHelp(kHelpPartialKey); });
    addSeparator(help, "mnuHelpBar1");
    connect(addEntry(help, "mnuHelpAbout", QStringLiteral("&About MyApp...")), &QAction::triggered,
            this, &MDIForm1::showAbout);
}

// The Formulas menu, an entry for each calculator: one that opens a window opens it.
void MDIForm1::buildFormulasMenu(QMenu* formulas) {
    QMenu* submenu = formulas;
    const FormulasSubmenu* current = nullptr;
    const std::span<const Calculator> rows = calculators();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const Calculator& calculator = rows[row];
        if (calculator.submenu != current) {
            current = calculator.submenu;
            submenu = current ? addSubmenu(formulas, current->name, QLatin1String(current->caption))
                              : formulas;
        }
        QAction* entry = addEntry(submenu, calculator.entry, QLatin1String(calculator.caption));
        if (calculator.opening != Opening::None) {
            connect(entry, &QAction::triggered, this, [this, row] { openCalculator(row); });
        }
    }
}

// A shared calculator's window is made on first use, and again after it was closed; a numbered
// one is made each time, numbered on from the last of its kind.
void MDIForm1::openCalculator(std::size_t row) {
    const Calculator& calculator = calculators()[row];
    QWidget* form = shared_[row];
    if (calculator.opening == Opening::Numbered) {
        form = calculator.open(*this, ++opened_[row]);
    } else if (!form) {
        form = calculator.open(*this, 0);
        shared_[row] = form;
    }
    showCalculator(form);
}

// Shows a calculator's window and makes it the active one. A window of its own waits, as its
// own commands do, for a calculation of it that waits on its message, so that a command given
// before (Exit) does not hide it again afterwards.
void MDIForm1::showCalculator(QWidget* form) {
    if (form->isWindow()) {
        runCommand(*calculatorForm(form), [window = QPointer(form)] {
            window->show();
            window->raise();
            window->activateWindow();
        });
        return;
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(formWindow(form));
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
}

QMdiSubWindow* MDIForm1::addChild(QWidget* form, Qt::WindowFlags flags) {
    QMdiSubWindow* sub = mdiArea_->addSubWindow(form, Qt::SubWindow | flags);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Ctrl+F4 closes the active child window, as its system menu shows; the desktop's other
    // Close keys (Ctrl+W) would throw a calculator away with what was typed into it.
    static const QList<QKeySequence> desktopClose = QKeySequence::keyBindings(QKeySequence::Close);
    for (QAction* action : sub->actions()) {
        if (action->shortcuts() == desktopClose) {
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
        }
    }
    sub->setWindowIcon(windowIcon());
    sub->adjustSize();
    return sub;
}

QMdiSubWindow* MDIForm1::addFixedSizeChild(QWidget* form) {
    QMdiSubWindow* sub =
        addChild(form, Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    sub->setFixedSize(sub->size());
    return sub;
}

void MDIForm1::showAbout() {
    feedback().message(this, kAppTitle, QStringLiteral("About Box Code goes here!"),
                       Feedback::Icon::None);
}

// Hands the request to the help viewer. An error raised on the way is reported once the
// request has been made, and the program goes on; what the viewer makes of the request, a
// missing help file included, is the viewer's affair.
void MDIForm1::showHelp(std::uint32_t command) {
    const WId window = winId();
    const QByteArray helpFile = helpFilePath().toLocal8Bit();
    const std::int16_t emptyKeyword = 0;
    try {
        [[maybe_unused]] const std::int32_t status =
            helpViewer().WinHelp(window, helpFile, command, &emptyKeyword);
    } catch (const HelpError& error) {
        feedback().message(this, kAppTitle, QString::fromUtf8(error.what()), Feedback::Icon::None);
    }
}

void MDIForm1::Arrange(std::int16_t code) {
    switch (code) {
        case Cascade:
            cascade();
            break;
        case TileHorizontal:
            tile(Qt::Vertical);
            break;
        case TileVertical:
            tile(Qt::Horizontal);
            break;
        case ArrangeIcons:
            arrangeIcons();
            break;
        default:
            break;
    }
}

// Lays the open, not minimised child windows out overlapping from the top-left corner, in
// their stacking order: each one lower and further right than the one below it by the height of
// its title bar, so that every title bar stays visible and the active window, on top, ends
// last. A window that would reach past the bottom starts a new cascade from the top, further
// right.
void MDIForm1::cascade() {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::StackingOrder)) {
        if (sub->isVisible() && !sub->isMinimized()) windows.append(sub);
    }
    const int areaHeight = mdiArea_->viewport()->height();
    QPoint at(0, 0);
    int column = 0;
    for (QMdiSubWindow* sub : windows) {
        if (sub->isMaximized()) sub->showNormal();
        // The distance from the window's top edge to its form: border and title bar.
        const int step = sub->widget() ? sub->widget()->mapTo(sub, QPoint(0, 0)).y() : 0;
        if (at.y() > 0 && at.y() + sub->height() > areaHeight) {
            column += step;
            at = QPoint(column, 0);
        }
        sub->move(at);
        sub->raise();
        at += QPoint(step, step);
    }
}

// Lays the open, not minimised child windows out as full-width bands stacked top to bottom
// (Qt::Vertical) or full-height columns side by side (Qt::Horizontal), leaving the row of
// minimised windows along the bottom free.
void MDIForm1::tile(Qt::Orientation stacking) {
    QList<QMdiSubWindow*> windows;
    int iconRow = 0;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::StackingOrder)) {
        if (!sub->isVisible()) continue;
        if (sub->isMinimized()) {
            iconRow = std::max(iconRow, sub->height());
        } else {
            windows.append(sub);
        }
    }
    if (windows.isEmpty()) return;
    const QRect area(QPoint(0, 0), mdiArea_->viewport()->size() - QSize(0, iconRow));
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* sub = windows.at(i);
        if (sub->isMaximized()) sub->showNormal();
        QRect band;
        if (stacking == Qt::Vertical) {
            const int top = area.height() * i / count;
            band = QRect(0, top, area.width(), area.height() * (i + 1) / count - top);
        } else {
            const int left = area.width() * i / count;
            band = QRect(left, 0, area.width() * (i + 1) / count - left, area.height());
        }
        sub->setGeometry(band);
    }
}

// Lines the minimised child windows up along the bottom edge, left to right, starting a new
// row above when one is full. Other windows stay where they are.
void MDIForm1::arrangeIcons() {
    const QSize area = mdiArea_->viewport()->size();
    int x = 0;
    int y = area.height();
    int rowHeight = 0;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isVisible() || !sub->isMinimized()) continue;
        if (x > 0 && x + sub->width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        if (rowHeight == 0) rowHeight = sub->height();
        sub->move(x, y - rowHeight);
        x += sub->width();
    }
}

void MDIForm1::refreshWindowList() {
    qDeleteAll(windowListActions_);
    windowListActions_.clear();
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isVisible()) windows.append(sub);
    }
    if (windows.isEmpty()) return;

    windowListActions_.append(windowMenu_->addSeparator());
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    for (int i = 0; i < windows.size() && i < kListedWindows; ++i) {
        QMdiSubWindow* sub = windows.at(i);
        QAction* entry =
            windowMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(sub->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(sub == active);
        connect(entry, &QAction::triggered, this, [this, window = QPointer(sub)] {
            if (!window) return;
            if (window->isMinimized()) window->showNormal();
            mdiArea_->setActiveSubWindow(window);
        });
        windowListActions_.append(entry);
    }
    if (windows.size() > kListedWindows) {
        QAction* more = windowMenu_->addAction(QStringLiteral("&More Windows..."));
        more->setObjectName(QStringLiteral("mnuMoreWindows"));
        connect(more, &QAction::triggered, this, &MDIForm1::showMoreWindows);
        windowListActions_.append(more);
    }
}

// The choice of any open child window when the window list is too long to show them all.
void MDIForm1::showMoreWindows() {
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("dlgSelectWindow"));
    dialog->setWindowTitle(QStringLiteral("Select Window"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* list = new QListWidget(dialog);
    list->setObjectName(QStringLiteral("lstWindows"));
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isVisible()) continue;
        windows.append(sub);
        list->addItem(sub->windowTitle());
        if (sub == mdiArea_->activeSubWindow()) list->setCurrentRow(list->count() - 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(list, &QListWidget::itemActivated, dialog, &QDialog::accept);
    connect(dialog, &QDialog::accepted, this, [this, list, windows] {
        const int row = list->currentRow();
        if (row < 0 || row >= windows.size() || !windows.at(row)) return;
        QMdiSubWindow* sub = windows.at(row);
        if (sub->isMinimized()) sub->showNormal();
        mdiArea_->setActiveSubWindow(sub);
        // The dialog, not the frame, is the active window now, so the choice may not take the
        // focus. The frame hands its focus back when it is active again, and the window that
        // gets it becomes the active one: the focus goes into the chosen window here.
        focusTarget(sub)->setFocus(Qt::OtherFocusReason);
    });
    dialog->open();
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    mdiArea_->closeAllSubWindows();
    event->accept();
}

}  // namespace motoreckon
