#include "windows/frmhp_mph.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/horsepower.h"
#include "forms/calculation.h"
#include "forms/controls.h"
#include "forms/fonts.h"
#include "forms/regional.h"
#include "forms/results.h"
#include "forms/twips.h"
#include "forms/window_keys.h"

namespace motoreckon {

namespace {

constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;

}  // namespace

frmHP_MPH::frmHP_MPH(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmHP_MPH"));
    setWindowTitle(QStringLiteral("Horsepower by MPH"));
    useLayoutFont(this);
    setFixedSize(twipsSize(3465, 2925));

    // Created in focus order: the window opens with the focus on cmdCalculate, as a child window
    // of the frame gives its focus to the first control of its focus order when it first shows.
    // (Setting the focus before the window shows makes Qt paint all of it twice.)
    cmdCalculate = place(new QPushButton(QStringLiteral("&Calculate"), this), "cmdCalculate",
                         twipsRect(960, 2280, 1215, 375));
    Frame1 = place(new QGroupBox(QStringLiteral("Frame1"), this), "Frame1",
                   twipsRect(240, 240, 2775, 1215));
    txtWeight = place(new QLineEdit(Frame1), "txtWeight", twipsRect(960, 360, 1095, 285));
    txtMPH = place(new QLineEdit(Frame1), "txtMPH", twipsRect(960, 720, 1095, 285));
    setTabOrder(cmdCalculate, txtWeight);
    setTabOrder(txtWeight, txtMPH);

    Label1_1 = addLabel(Frame1, "Label1_1", QStringLiteral("&Weight"),
                        twipsRect(240, 405, 510, 195), kTopLeft);
    Label1_5 = addLabel(Frame1, "Label1_5", QStringLiteral("&MPH"), twipsRect(240, 765, 360, 195),
                        kTopLeft);
    Label1_6 = addLabel(this, "Label1_6", QStringLiteral("Horse Power"),
                        twipsRect(360, 1680, 915, 195), kTopLeft);
    lblHP = addResult(this, "lblHP", twipsRect(1560, 1680, 825, 255), kTopLeft);

    boxes_.bind({{TrapSpeedEntries::Weight, txtWeight}, {TrapSpeedEntries::Mph, txtMPH}});

    // A label's access key moves the focus to the first control after it in tab order that
    // takes the focus; for both labels that is the weight box, so Alt+M goes there too.
    Label1_1->setBuddy(txtWeight);
    Label1_5->setBuddy(txtWeight);
    txtMPH->setAccessibleName(QStringLiteral("MPH"));
    describeResult(lblHP, Label1_6);

    cmdCalculate->setDefault(true);
    cmdCalculate->setAutoDefault(true);
    installWindowKeys(this, cmdCalculate);

    connect(cmdCalculate, &QPushButton::clicked, this, &frmHP_MPH::cmdCalculate_Click);
}

QAbstractButton* frmHP_MPH::calculateButton() const { return cmdCalculate; }

void frmHP_MPH::cmdCalculate_Click() {
    runCalculation(*this, [this] {
        const RegionalFormat format = regionalFormat();
        lblHP->showNumber(HorsepowerCaption(boxes_.texts(), format), format);
        fitToText(lblHP);
    });
}

}  // namespace motoreckon
