#include "windows/discom.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

#include "forms/calculation.h"
#include "forms/colours.h"
#include "forms/controls.h"
#include "forms/feedback.h"
#include "forms/fonts.h"
#include "forms/menus.h"
#include "forms/placement.h"
#include "forms/regional.h"
#include "forms/results.h"
#include "forms/twips.h"
#include "forms/window_keys.h"

namespace motoreckon {

namespace {

// The colours the window is drawn in on a light desktop: a light grey ground, the system's
// window colours behind and in its captions, black for the head volume's caption until the
// compression check is first changed, and grey for the captions of volumes not in use. On a dark
// desktop the ground is the desktop's own, the captions sit on it, every caption reads on it, and
// the box of the check box stands out from it.
const QColor kBackground(192, 192, 192);
const QColor kGreyCaption(128, 128, 128);
constexpr double kTextContrast = 4.5;
constexpr double kGreyedContrast = 3.0;
constexpr double kControlContrast = 3.0;

QFont arial(double points, bool bold) {
    return layoutFont({QStringLiteral("Arial")}, points, bold);
}

// Results read from their left edge.
constexpr Qt::Alignment kResult = Qt::AlignLeft | Qt::AlignVCenter;

QAction* addCheckEntry(QMenu* menu, const char* name, const QString& text, bool checked) {
    QAction* action = addEntry(menu, name, text);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

// A piston in its cylinder, drawn in the colours of a 16-colour display.
QIcon discomIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(5, 0, 22, 3, QColor(0, 0, 128));
    painter.fillRect(5, 3, 4, 20, QColor(128, 128, 128));
    painter.fillRect(23, 3, 4, 20, QColor(128, 128, 128));
    painter.setPen(QColor(128, 0, 0));
    painter.setBrush(QColor(128, 0, 0));
    painter.drawRect(14, 14, 3, 13);
    painter.setPen(Qt::black);
    painter.setBrush(kBackground);
    painter.drawRect(9, 8, 13, 8);
    painter.drawLine(9, 10, 22, 10);
    painter.setBrush(QColor(255, 255, 0));
    painter.drawEllipse(11, 23, 9, 8);
    return QIcon(pixmap);
}

}  // namespace

discom::discom(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("discom"));
    setWindowTitle(QStringLiteral("Displacement and Compression Ratio Calculation"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(discomIcon());

    // The client area carries the window's font, which the buttons and the check box use; the
    // menu bar keeps the system's. Where "MS Sans Serif" is missing, Liberation Sans stands in:
    // the wider default sans font would cut off the check box's caption.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    QFont windowFont;
    windowFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    windowFont.setPointSizeF(8.25);
    windowFont.setBold(true);
    client->setFont(windowFont);
    client->setFixedSize(twipsSize(6450, 5505));
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    buildControls(client);
    buildMenus();
    applyColours();
    // Enter anywhere but on a button is the Calculate button's; Alt with a caption's access key
    // reaches its control before the menu bar's own.
    installWindowKeys(this, Com_calc);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load();
}

void discom::buildControls(QWidget* client) {
    const QFont captionFont = arial(10.5, true);
    // The results are plain numbers, which need none of the font's shaping rules (kerning,
    // ligatures): fitting a result label to a new number, the most of what Calculate costs, is
    // much quicker without them, and the glyphs are the same, at most a pixel apart.
    QFont resultFont = arial(12, true);
    resultFont.setStyleStrategy(QFont::PreferNoShaping);

    // The six rows of entry: a caption, whose access key leads to its box, and the box.
    const struct {
        QLabel*& caption;
        const char* captionName;
        const char* text;
        QRect captionGeometry;
        QLineEdit*& box;
        const char* boxName;
        QRect boxGeometry;
        int maxLength;
    } rows[] = {
        {bore, "bore", "&Bore", twipsRect(720, 960, 510, 360), txtBore, "txtBore",
         twipsRect(2040, 910, 855, 360), 6},
        {stroke, "stroke", "&Stroke", twipsRect(720, 1440, 690, 360), txtStroke, "txtStroke",
         twipsRect(2040, 1390, 855, 360), 6},
        {cylinders, "cylinders", "C&ylinders", twipsRect(720, 1920, 990, 240), txtCylinders,
         "txtCylinders", twipsRect(2040, 1870, 855, 360), 2},
        {head, "head", "&Head Vol.", twipsRect(720, 2400, 990, 360), headtx, "headtx",
         twipsRect(2040, 2350, 855, 360), 6},
        {gaskvol, "gaskvol", "&Gasket Vol.", twipsRect(720, 2880, 1185, 360), gaskettx, "gaskettx",
         twipsRect(2040, 2830, 855, 360), 6},
        {deck, "deck", "&Deck Vol.", twipsRect(720, 3360, 975, 360), decktx, "decktx",
         twipsRect(2040, 3310, 855, 360), 6},
    };
    const QFont boxFont = arial(10.5, false);
    for (const auto& row : rows) {
        row.caption = place(new QLabel(QLatin1String(row.text), client), row.captionName,
                            row.captionGeometry);
        row.caption->setFont(captionFont);
        row.box = place(new QLineEdit(client), row.boxName, row.boxGeometry);
        row.box->setFont(boxFont);
        row.box->setMaxLength(row.maxLength);
        row.caption->setBuddy(row.box);
    }

    boxes_.bind({{DiscomEntries::Bore, txtBore},
                 {DiscomEntries::Stroke, txtStroke},
                 {DiscomEntries::Cylinders, txtCylinders},
                 {DiscomEntries::Head, headtx},
                 {DiscomEntries::Gasket, gaskettx},
                 {DiscomEntries::Deck, decktx}});

    roundtx = place(new QCheckBox(QStringLiteral("&Round to the nearest 1/100"), client), "roundtx",
                    twipsRect(3600, 3240, 2655, 495));

    // Enter presses the focused button, as it does in a dialog, and Calculate from elsewhere.
    const struct {
        QPushButton*& button;
        const char* name;
        const char* caption;
        int top;
    } buttons[] = {
        {Com_calc, "Com_calc", "&Calculate", 960},
        {Com_cancl, "Com_cancl", "C&ancel", 1560},
        {Com_end, "Com_end", "&Exit", 2160},
    };
    for (const auto& b : buttons) {
        b.button = place(new QPushButton(QLatin1String(b.caption), client), b.name,
                         twipsRect(4320, b.top, 1215, 495));
        b.button->setAutoDefault(true);
    }
    Com_calc->setDefault(true);

    // The captions keep the size the layout gives them.
    enter =
        place(new QLabel(QStringLiteral("Enter:"), client), "Enter", twipsRect(120, 600, 630, 360));
    enter->setFont(captionFont);
    ci = place(new QLabel(QStringLiteral("Cubic Inches:"), client), "ci",
               twipsRect(1320, 4200, 1590, 285));
    lblCubicInch = addResult(client, "lblCubicInch", twipsRect(3240, 4200, 0, 285), kResult);
    cr = place(new QLabel(QStringLiteral("Comp. Ratio:"), client), "cr",
               twipsRect(1415, 4680, 1500, 285));
    crlb = addResult(client, "crlb", twipsRect(3240, 4680, 0, 285), kResult);
    for (QLabel* label : std::initializer_list<QLabel*>{ci, lblCubicInch, cr, crlb}) {
        label->setFont(resultFont);
    }
    describeResult(lblCubicInch, ci);
    describeResult(crlb, cr);
    results_ = {lblCubicInch, crlb};

    setTabOrder(txtBore, txtStroke);
    setTabOrder(txtStroke, txtCylinders);
    setTabOrder(txtCylinders, headtx);
    setTabOrder(headtx, gaskettx);
    setTabOrder(gaskettx, decktx);
    setTabOrder(decktx, roundtx);
    setTabOrder(roundtx, Com_calc);
    setTabOrder(Com_calc, Com_cancl);
    setTabOrder(Com_cancl, Com_end);
    txtBore->setFocus(Qt::OtherFocusReason);

    connect(Com_calc, &QPushButton::clicked, this, &discom::Com_calc_Click);
    // While a calculation waits on its message, the window's commands wait for it to end.
    connect(Com_end, &QPushButton::clicked, this,
            [this] { runCommand(*this, [this] { hide(); }); });
    connect(roundtx, &QCheckBox::toggled, this,
            [this] { runCommand(*this, [this] { refreshIfShown(); }); });
}

void discom::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = addSubmenu(bar, "MnuFile", QStringLiteral("&File"));
    connect(addEntry(file, "MnuExit", QStringLiteral("&Exit")), &QAction::triggered, this,
            &QWidget::close);

    QMenu* options = addSubmenu(bar, "MnuOptions", QStringLiteral("&Options"));
    QMenu* displacement = addSubmenu(options, "MnuDisplacement", QStringLiteral("&Displacement"));
    MnuCubin = addCheckEntry(displacement, "MnuCubin", QStringLiteral("Cubic &Inches"), true);
    MnuLiters = addCheckEntry(displacement, "MnuLiters", QStringLiteral("&Liters"), false);
    compratiomnu =
        addCheckEntry(options, "compratiomnu", QStringLiteral("&Check Comp. Ratio"), true);
    addCheckEntry(options, "MnuSaveset", QStringLiteral("Sa&ve Settings On Exit"), false);
    connectCheckedCommand(*this, MnuCubin, [this] { MnuCubin_Click(); });
    connectCheckedCommand(*this, MnuLiters, [this] { MnuLiters_Click(); });
    connectCheckedCommand(*this, compratiomnu, [this] { compratiomnu_Click(); });

    MnuHelp = addSubmenu(bar, "MnuHelp", QStringLiteral("&Help"));
}

void discom::Form_Load() {
    // The Help menu stands apart at the right end of the menu bar.
    QMenuBar* bar = menuBar();
    bar->removeAction(MnuHelp->menuAction());
    auto* right = new QMenuBar(bar);
    right->setObjectName(QStringLiteral("helpBar"));
    right->addMenu(MnuHelp);
    bar->setCornerWidget(right, Qt::TopRightCorner);

    // Centre the window on the screen by its outer size, title bar and borders included, in
    // twips held in single precision.
    layout()->activate();
    winId();
    const ScreenTwips screenSize(screen());
    WindowTwips window(this, frameMargins(this));
    const float left = (screenSize.Width() - window.Width()) / 2;
    const float top = (screenSize.Height() - window.Height()) / 2;
    window.SetLeft(left);
    window.SetTop(top);
}

QAbstractButton* discom::calculateButton() const { return Com_calc; }

DiscomOptions discom::options() const {
    return {MnuLiters->isChecked() ? DisplacementUnit::Liters : DisplacementUnit::CubicInches,
            compratiomnu->isChecked(), roundtx->isChecked()};
}

void discom::setResult(ResultLabel* label, const std::optional<std::string>& text,
                       const RegionalFormat& format) {
    if (!text) return;
    label->showNumber(*text, format);
    label->resize(label->sizeHint().width(), label->height());
}

void discom::applyColours() {
    const QPalette system = QApplication::palette();
    const bool dark = isDark(system);
    const QColor ground = dark ? system.color(QPalette::Window) : kBackground;
    QPalette client = centralWidget()->palette();
    client.setColor(QPalette::Window, ground);
    centralWidget()->setPalette(client);
    // The box is filled with the desktop's field colour, or on a dark desktop, where that would
    // hide it on the ground, with the shade of its caption's colour nearest the ground that
    // stands out from it.
    const QColor roundText =
        readable(Qt::black, ground, system.color(QPalette::WindowText), kTextContrast);
    const QColor field = system.color(QPalette::Base);
    setCheckBoxColours(roundtx, roundText, ground,
                       dark ? readable(field, ground, dimmed(roundText, ground, kControlContrast),
                                       kControlContrast)
                            : field);

    const QColor captionGround = dark ? ground : field;
    const QColor text = readable(system.color(QPalette::Text), captionGround,
                                 system.color(QPalette::WindowText), kTextContrast);
    const QColor grey = readable(kGreyCaption, captionGround,
                                 dimmed(text, captionGround, kGreyedContrast), kGreyedContrast);
    // Each caption and result sits on a ground of its own.
    for (QLabel* label : std::initializer_list<QLabel*>{bore, stroke, cylinders, enter, ci,
                                                        lblCubicInch, cr, crlb}) {
        setColours(label, text, captionGround);
        label->setAutoFillBackground(true);
    }
    const bool volumesInUse = compratiomnu->isChecked();
    for (QLabel* label : {head, gaskvol, deck}) {
        QColor ink = volumesInUse ? text : grey;
        // The head volume's caption alone starts out plain black.
        if (label == head && volumesInUse && headStartsBlack_) {
            ink = readable(Qt::black, captionGround, text, kTextContrast);
        }
        setColours(label, ink, captionGround);
        label->setAutoFillBackground(true);
    }
}

void discom::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) applyColours();
    QMainWindow::changeEvent(event);
}

void discom::Com_calc_Click() {
    runCalculation(*this, [this] {
        const RegionalFormat format = regionalFormat();
        const DiscomCalculation calc =
            CalculateDisplacement(boxes_.texts(), options(), crlb->result().toStdString(), format);
        setResult(crlb, calc.texts.ratio, format);
        for (int i = 0; i < calc.beeps; ++i) feedback().beep();
        if (calc.message) {
            const QPointer<discom> alive(this);
            feedback().message(this, QString::fromStdString(calc.message->title),
                               QString::fromStdString(calc.message->text),
                               Feedback::Icon::Information);
            if (!alive) return;
        }
        setResult(lblCubicInch, calc.texts.displacement, format);
        if (calc.focus) boxes_[*calc.focus]->setFocus(Qt::OtherFocusReason);
        if (calc.texts.failure) throw *calc.texts.failure;
    });
}

void discom::MnuCubin_Click() {
    MnuCubin->setChecked(true);
    MnuLiters->setChecked(false);
    ci->move(twipsToPixels(1320), ci->y());
    ci->setText(QStringLiteral("Cubic Inches:"));
    describeResult(lblCubicInch, ci);
    refreshIfShown();
}

void discom::MnuLiters_Click() {
    MnuLiters->setChecked(true);
    MnuCubin->setChecked(false);
    ci->setText(QStringLiteral("Liters:"));
    describeResult(lblCubicInch, ci);
    ci->move(twipsToPixels(2180), ci->y());
    refreshIfShown();
}

// The menu entry has already changed its check mark when this runs.
void discom::compratiomnu_Click() {
    const bool on = compratiomnu->isChecked();
    for (QLineEdit* box : {decktx, headtx, gaskettx}) box->setEnabled(on);
    headStartsBlack_ = false;
    applyColours();
}

// A change of unit or rounding shows the results again, once there are results to show.
void discom::refreshIfShown() {
    if (lblCubicInch->result().isEmpty()) return;
    runCalculation(*this, [this] {
        const RegionalFormat format = regionalFormat();
        const DiscomTexts texts = RefreshResults(boxes_.texts(), options(), format);
        setResult(lblCubicInch, texts.displacement, format);
        setResult(crlb, texts.ratio, format);
        if (texts.failure) throw *texts.failure;
    });
}

}  // namespace motoreckon
