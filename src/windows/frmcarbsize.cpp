#include "windows/frmcarbsize.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/carb_cfm.h"
#include "core/key_filter.h"
#include "forms/calculation.h"
#include "forms/controls.h"
#include "forms/fonts.h"
#include "forms/keypress.h"
#include "forms/placement.h"
#include "forms/regional.h"
#include "forms/results.h"
#include "forms/twips.h"
#include "forms/window_keys.h"

namespace motoreckon {

namespace {

// The RPM box takes at most six typed characters.
constexpr std::size_t kRpmMaxTyped = 6;

// What the boxes take, told beside a box when a key typed into it is refused.
const QString kWholeNumbersOnly = QStringLiteral("Only whole numbers and % can be typed here.");
const QString kRpmBoxFull =
    QStringLiteral("At most six characters fit here: select some and press Delete to make room.");

// The row captions end just left of the boxes they name.
constexpr Qt::Alignment kRowCaption = Qt::AlignRight | Qt::AlignVCenter;

}  // namespace

frmCarbSize::frmCarbSize(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmCarbSize"));
    setWindowTitle(QStringLiteral("Carburator CFM Required"));
    setFixedSize(twipsSize(4725, 1800));
    useLayoutFont(this);

    // Created in tab order, so the focus moves through the boxes, then the buttons.
    txtRPM = place(new QLineEdit(this), "txtRPM", twipsRect(1800, 240, 1215, 285));
    txtCubicInches = place(new QLineEdit(this), "txtCubicInches", twipsRect(1800, 600, 1215, 285));
    txtEfficency = place(new QLineEdit(this), "txtEfficency", twipsRect(1800, 960, 1215, 285));
    cmdCalculateCFM = place(new QPushButton(QStringLiteral("&Calculate"), this), "cmdCalculateCFM",
                            twipsRect(3480, 240, 975, 375));
    Command2 = place(new QPushButton(QStringLiteral("Cl&ose"), this), "Command2",
                     twipsRect(3480, 720, 975, 375));
    QLabel* cubicInches = addLabel(this, "Label1_5", QStringLiteral("Cubic Inches"),
                                   twipsRect(735, 645, 930, 195), kRowCaption);
    lblCFM = addResult(this, "lblCFM", twipsRect(1800, 1440, 480, 195),
                       Qt::AlignLeft | Qt::AlignVCenter);
    QLabel* efficiency = addLabel(this, "Label1_3", QStringLiteral("Volumetric Efficiency"),
                                  twipsRect(195, 1005, 1470, 195), kRowCaption);
    QLabel* required = addLabel(this, "Label1_2", QStringLiteral("Required CFM "),
                                twipsRect(480, 1440, 1065, 195), kRowCaption);
    addLabel(this, "Label1_1", QStringLiteral("%"), twipsRect(3105, 1005, 120, 195),
             Qt::AlignLeft | Qt::AlignVCenter);
    QLabel* maximumRpm = addLabel(this, "Label1_0", QStringLiteral("Maximum RPM"),
                                  twipsRect(600, 285, 1065, 195), kRowCaption);

    boxes_.bind({{CarbEntries::Rpm, txtRPM},
                 {CarbEntries::CubicInches, txtCubicInches},
                 {CarbEntries::Efficiency, txtEfficency}});

    // The labels name the boxes for failure messages and for screen readers.
    maximumRpm->setBuddy(txtRPM);
    cubicInches->setBuddy(txtCubicInches);
    efficiency->setBuddy(txtEfficency);
    describeResult(lblCFM, required);

    // The result may need more room than the layout gives it; it grows to the right.
    lblCFM->setMinimumWidth(lblCFM->width());

    // Enter presses no button in this window.
    cmdCalculateCFM->setAutoDefault(false);
    Command2->setAutoDefault(false);

    installKeyPressHandler(txtRPM, [this](std::int16_t& keyAscii) {
        const KeyRefusal refusal = FilterLimitedNumericKey(
            keyAscii, static_cast<std::size_t>(txtRPM->text().size()), kRpmMaxTyped);
        return refusal == KeyRefusal::BoxFull ? kRpmBoxFull : kWholeNumbersOnly;
    });
    const auto numbersOnly = [](std::int16_t& keyAscii) {
        FilterNumericKey(keyAscii);
        return kWholeNumbersOnly;
    };
    installKeyPressHandler(txtCubicInches, numbersOnly);
    installKeyPressHandler(txtEfficency, numbersOnly);
    // Alt+C and Alt+O move the focus to their button and press it; Enter presses nothing.
    installWindowKeys(this, nullptr);

    connect(cmdCalculateCFM, &QPushButton::clicked, this, &frmCarbSize::cmdCalculateCFM_Click);
    connect(Command2, &QPushButton::clicked, this, [this] { formWindow(this)->close(); });
}

void frmCarbSize::Form_Load(const CenterParent& frame) {
    WindowTwips window(formWindow(this));
    CenterForm(frame, window);
}

QAbstractButton* frmCarbSize::calculateButton() const { return cmdCalculateCFM; }

void frmCarbSize::cmdCalculateCFM_Click() {
    runCalculation(*this, [this] {
        const RegionalFormat format = regionalFormat();
        lblCFM->showNumber(CarbCfmCaption(boxes_.texts(), format), format);
        lblCFM->adjustSize();
    });
}

}  // namespace motoreckon
