#include "engine/frmcarbsize.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/carb_cfm.h"
#include "input/key_filter.h"
#include "shell/calculation.h"
#include "shell/form_controls.h"
#include "shell/forms.h"
#include "shell/keypress.h"
#include "shell/mdiform1.h"
#include "shell/regional.h"
#include "shell/twips.h"

namespace motoreckon {

namespace {

// The RPM box takes at most six typed characters.
constexpr std::size_t kRpmMaxTyped = 6;

QLabel* caption(QWidget* form, const char* name, const QString& text, QRect geometry) {
    return place(new QLabel(text, form), name, geometry);
}

}  // namespace

frmCarbSize::frmCarbSize(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmCarbSize"));
    setWindowTitle(QStringLiteral("Carburator CFM Required"));
    setFixedSize(twipsSize(4725, 1800));
    useLayoutFont(this);

    // Created in tab order, so the focus moves through the boxes, then the buttons.
    txtRPM = place(new QLineEdit(this), "txtRPM", twipsRect(1800, 240, 1215, 285));
    txtRPM->setToolTip(QStringLiteral("Enter the maximum expected RPM"));
    txtCubicInches = place(new QLineEdit(this), "txtCubicInches", twipsRect(1800, 600, 1215, 285));
    txtEfficency = place(new QLineEdit(this), "txtEfficency", twipsRect(1800, 960, 1215, 285));
    cmdCalculateCFM = place(new QPushButton(QStringLiteral("&Calculate"), this), "cmdCalculateCFM",
                            twipsRect(3480, 240, 975, 375));
    Command2 = place(new QPushButton(QStringLiteral("Cl&ose"), this), "Command2",
                     twipsRect(3480, 720, 975, 375));
    QLabel* cubicInches =
        caption(this, "Label1_5", QStringLiteral("Cubic Inches"), twipsRect(735, 645, 930, 195));
    lblCFM = caption(this, "lblCFM", QString(), twipsRect(1800, 1440, 480, 195));
    QLabel* efficiency = caption(this, "Label1_3", QStringLiteral("Volumetric Efficiency"),
                                 twipsRect(195, 1005, 1470, 195));
    QLabel* required =
        caption(this, "Label1_2", QStringLiteral("Required CFM "), twipsRect(480, 1440, 1065, 195));
    QLabel* percent =
        caption(this, "Label1_1", QStringLiteral("%"), twipsRect(3105, 1005, 120, 195));
    fitToText(percent);
    QLabel* maximumRpm =
        caption(this, "Label1_0", QStringLiteral("Maximum RPM"), twipsRect(600, 285, 1065, 195));

    for (QLabel* row : {maximumRpm, cubicInches, efficiency, required}) {
        row->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fitToText(row);
    }

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
        FilterLimitedNumericKey(keyAscii, static_cast<std::size_t>(txtRPM->text().size()),
                                kRpmMaxTyped);
    });
    installKeyPressHandler(txtCubicInches, FilterNumericKey);
    installKeyPressHandler(txtEfficency, FilterNumericKey);
    // Alt+C and Alt+O move the focus to their button and press it; Enter presses nothing.
    installWindowKeys(this, nullptr);

    connect(cmdCalculateCFM, &QPushButton::clicked, this, &frmCarbSize::cmdCalculateCFM_Click);
    connect(Command2, &QPushButton::clicked, this, [this] { formWindow(this)->close(); });
}

void frmCarbSize::Form_Load(MDIForm1& frame) {
    WindowTwips window(formWindow(this));
    CenterForm(frame, window);
}

void frmCarbSize::cmdCalculateCFM_Click() {
    runCalculation(this, [this] {
        const std::string rpm = txtRPM->text().toStdString();
        const std::string cubicInches = txtCubicInches->text().toStdString();
        const std::string efficiency = txtEfficency->text().toStdString();
        const RegionalFormat format = regionalFormat();
        showResult(lblCFM, CarbCfmCaption({rpm, cubicInches, efficiency}, format), format);
        lblCFM->adjustSize();
    });
}

}  // namespace motoreckon
