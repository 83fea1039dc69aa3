#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "core/regional_format.h"
#include "core/road_speed.h"
#include "forms/calculator_form.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace motoreckon {

// The road-speed and engine-speed calculator. One window class serves both: its FormType,
// set before the window loads, picks the mode.
class frmRPMMPH final : public QWidget, public CalculatorForm {
    Q_OBJECT

  public:
    enum Mode : std::int16_t {
        EngineSpeedMode = 1,  // road speed in, engine speed out
        RoadSpeedMode = 2,    // engine speed in, road speed out
    };

    explicit frmRPMMPH(QWidget* parent = nullptr);

    // The write-only FormType: 1 engine-speed mode, 2 road-speed mode, anything else no mode.
    // Set it before Form_Load so that the layout follows it; set later, it changes only which
    // formula Calculate uses.
    void setFormType(std::int16_t intFormType);

    // Load: lays the window out for its mode. The opening command runs it once, after setting
    // FormType and before setting the caption.
    void Form_Load();

    QWidget* widget() override { return this; }
    // The boxes of the mode's calculation; none without a mode.
    std::span<QLineEdit* const> entryBoxes() const override;
    QAbstractButton* calculateButton() const override;
    std::span<ResultLabel* const> results() const override { return {&lblAnswer, 1}; }

  private:
    void ApplyFormType();
    void cmdCalculate_Click();
    void showAnswer(const std::string& answer, const RegionalFormat& format);

    std::int16_t FormType = 0;

    QGroupBox* Frame1;
    QLineEdit* txtRPM;
    QLineEdit* txtMPH;
    QLineEdit* txtAxle;
    QLineEdit* txtTransmission;
    QLineEdit* txtTireDiameter;
    std::array<QLabel*, 5> Label1;
    ResultLabel* lblAnswer;
    QPushButton* cmdCalculate;
    QPushButton* cmdClear;
    EntryBoxes<EngineSpeedEntries> engineSpeedBoxes_;
    EntryBoxes<RoadSpeedEntries> roadSpeedBoxes_;
};

}  // namespace motoreckon
