#include "windows/frmrpmmph.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "core/road_speed.h"
#include "forms/calculation.h"
#include "forms/controls.h"
#include "forms/fonts.h"
#include "forms/regional.h"
#include "forms/results.h"
#include "forms/twips.h"
#include "forms/window_keys.h"

namespace motoreckon {

namespace {

// The captions of Label1(0) to Label1(4) in each mode.
constexpr std::array<const char*, 5> kEngineSpeedCaptions = {
    "MPH", "Axle Ratio", "Transmission Ratio", "Tire Diameter", "RPM"};
constexpr std::array<const char*, 5> kRoadSpeedCaptions = {
    "RPM", "Axle Ratio", "Transmission Ratio", "Tire Diameter", "MPH"};

// Rows of the entry boxes inside Frame1.
constexpr int kSpeedRowTop = 360;
constexpr int kAxleRowTop = 840;
constexpr int kTransmissionRowTop = 1320;
constexpr int kTireRowTop = 1800;

// Each caption ends 240 twips before the box it names; a caption too long for its place grows
// to the left.
constexpr Qt::Alignment kRowCaption = Qt::AlignRight | Qt::AlignTop;

void setTop(QWidget* control, int twips) { control->move(control->x(), twipsToPixels(twips)); }

}  // namespace

frmRPMMPH::frmRPMMPH(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmRPMMPH"));
    setWindowTitle(QStringLiteral("Form1"));
    useLayoutFont(this);
    setFixedSize(twipsSize(4155, 4080));

    Frame1 = place(new QGroupBox(this), "Frame1", twipsRect(360, 240, 3375, 2295));

    // Created in focus order, which is also the order of the tab indexes.
    txtRPM = place(new QLineEdit(Frame1), "txtRPM", twipsRect(1800, kSpeedRowTop, 1215, 285));
    txtMPH = place(new QLineEdit(Frame1), "txtMPH", twipsRect(1815, kSpeedRowTop, 1215, 285));
    txtAxle = place(new QLineEdit(Frame1), "txtAxle", twipsRect(1815, kAxleRowTop, 1215, 285));
    txtTransmission = place(new QLineEdit(Frame1), "txtTransmission",
                            twipsRect(1815, kTransmissionRowTop, 1215, 285));
    txtTireDiameter =
        place(new QLineEdit(Frame1), "txtTireDiameter", twipsRect(1815, kTireRowTop, 1215, 285));
    cmdCalculate = place(new QPushButton(QStringLiteral("&Calculate"), this), "cmdCalculate",
                         twipsRect(360, 3240, 1215, 495));
    cmdClear = place(new QPushButton(QStringLiteral("Command2"), this), "cmdClear",
                     twipsRect(2520, 3240, 1215, 495));
    setTabOrder(txtRPM, txtMPH);
    setTabOrder(txtMPH, txtAxle);
    setTabOrder(txtAxle, txtTransmission);
    setTabOrder(txtTransmission, txtTireDiameter);
    setTabOrder(txtTireDiameter, cmdCalculate);
    setTabOrder(cmdCalculate, cmdClear);

    Label1[0] = addLabel(Frame1, "Label1_0", QLatin1String(kEngineSpeedCaptions[0]),
                         twipsRect(240, 405, 1335, 195), kRowCaption);
    Label1[1] = addLabel(Frame1, "Label1_1", QLatin1String(kEngineSpeedCaptions[1]),
                         twipsRect(240, 885, 1335, 195), kRowCaption);
    Label1[2] = addLabel(Frame1, "Label1_2", QLatin1String(kEngineSpeedCaptions[2]),
                         twipsRect(240, 1365, 1335, 195), kRowCaption);
    Label1[3] = addLabel(Frame1, "Label1_3", QLatin1String(kEngineSpeedCaptions[3]),
                         twipsRect(240, 1845, 1335, 195), kRowCaption);
    Label1[4] = addLabel(this, "Label1_4", QLatin1String(kEngineSpeedCaptions[4]),
                         twipsRect(480, 2760, 1440, 195), kRowCaption);
    lblAnswer = addResult(this, "lblAnswer", twipsRect(2160, 2760, 1215, 255),
                          Qt::AlignLeft | Qt::AlignTop);

    engineSpeedBoxes_.bind({{EngineSpeedEntries::Mph, txtMPH},
                            {EngineSpeedEntries::Axle, txtAxle},
                            {EngineSpeedEntries::Transmission, txtTransmission},
                            {EngineSpeedEntries::TireDiameter, txtTireDiameter}});
    roadSpeedBoxes_.bind({{RoadSpeedEntries::Rpm, txtRPM},
                          {RoadSpeedEntries::TireDiameter, txtTireDiameter},
                          {RoadSpeedEntries::Axle, txtAxle},
                          {RoadSpeedEntries::Transmission, txtTransmission}});

    // The labels name the boxes in failure messages and to screen readers.
    Label1[0]->setBuddy(txtMPH);
    Label1[1]->setBuddy(txtAxle);
    Label1[2]->setBuddy(txtTransmission);
    Label1[3]->setBuddy(txtTireDiameter);
    describeResult(lblAnswer, Label1[4]);

    // Enter presses the focused button, and cmdCalculate from anywhere else.
    cmdCalculate->setDefault(true);
    cmdCalculate->setAutoDefault(true);
    installWindowKeys(this, cmdCalculate);
    cmdClear->setAutoDefault(true);

    connect(cmdCalculate, &QPushButton::clicked, this, &frmRPMMPH::cmdCalculate_Click);
}

void frmRPMMPH::setFormType(std::int16_t intFormType) { FormType = intFormType; }

void frmRPMMPH::Form_Load() { ApplyFormType(); }

void frmRPMMPH::ApplyFormType() {
    QLineEdit* entered = nullptr;
    QLineEdit* other = nullptr;
    const std::array<const char*, 5>* captions = nullptr;
    if (FormType == EngineSpeedMode) {
        entered = txtMPH;
        other = txtRPM;
        captions = &kEngineSpeedCaptions;
    } else if (FormType == RoadSpeedMode) {
        entered = txtRPM;
        other = txtMPH;
        captions = &kRoadSpeedCaptions;
    } else {
        return;
    }
    // A caption that keeps its text keeps its size: measuring it again is most of what
    // opening a window costs.
    for (std::size_t i = 0; i < Label1.size(); ++i) {
        const QLatin1String caption((*captions)[i]);
        if (Label1[i]->text() == caption) continue;
        Label1[i]->setText(caption);
        fitToText(Label1[i]);
    }
    setTop(entered, kSpeedRowTop);
    setTop(txtAxle, kAxleRowTop);
    setTop(txtTransmission, kTransmissionRowTop);
    setTop(txtTireDiameter, kTireRowTop);
    other->hide();
    // The window opens with the focus in the entered box: a child window of the frame gives its
    // focus to the first control of its focus order when it first shows, so the box leads the
    // order. (Setting the focus before the window shows makes Qt paint all of it twice.)
    setTabOrder(entered, other);
    Label1[0]->setBuddy(entered);
    describeResult(lblAnswer, Label1[4]);
}

std::span<QLineEdit* const> frmRPMMPH::entryBoxes() const {
    if (FormType == EngineSpeedMode) return engineSpeedBoxes_.boxes();
    if (FormType == RoadSpeedMode) return roadSpeedBoxes_.boxes();
    return {};
}

QAbstractButton* frmRPMMPH::calculateButton() const { return cmdCalculate; }

void frmRPMMPH::cmdCalculate_Click() {
    if (FormType == EngineSpeedMode) {
        runCalculation(*this, [this] {
            const RegionalFormat format = regionalFormat();
            showAnswer(EngineSpeedCaption(engineSpeedBoxes_.texts(), format), format);
        });
    } else if (FormType == RoadSpeedMode) {
        runCalculation(*this, [this] {
            const RegionalFormat format = regionalFormat();
            showAnswer(RoadSpeedCaption(roadSpeedBoxes_.texts(), format), format);
        });
    }
}

void frmRPMMPH::showAnswer(const std::string& answer, const RegionalFormat& format) {
    lblAnswer->showNumber(answer, format);
    fitToText(lblAnswer);
}

}  // namespace motoreckon
