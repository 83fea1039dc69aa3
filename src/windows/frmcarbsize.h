#pragma once

#include <QWidget>

#include "core/carb_cfm.h"
#include "forms/calculator_form.h"

class QLabel;
class QPushButton;

namespace motoreckon {

class CenterParent;

// The carburetor window: maximum RPM, displacement and volumetric efficiency give the CFM a
// carburetor must flow.
class frmCarbSize final : public QWidget, public CalculatorForm {
    Q_OBJECT

  public:
    explicit frmCarbSize(QWidget* parent = nullptr);

    // Load: centre the window in the frame's client area.
    void Form_Load(const CenterParent& frame);

    QWidget* widget() override { return this; }
    std::span<QLineEdit* const> entryBoxes() const override { return boxes_.boxes(); }
    QAbstractButton* calculateButton() const override;
    std::span<ResultLabel* const> results() const override { return {&lblCFM, 1}; }

  private:
    void cmdCalculateCFM_Click();

    QLineEdit* txtRPM;
    QLineEdit* txtCubicInches;
    QLineEdit* txtEfficency;
    ResultLabel* lblCFM;
    QPushButton* cmdCalculateCFM;
    QPushButton* Command2;
    EntryBoxes<CarbEntries> boxes_;
};

}  // namespace motoreckon
