#pragma once

#include <QWidget>

#include "core/horsepower.h"
#include "forms/calculator_form.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace motoreckon {

// Horsepower by trap speed: the car's weight and its quarter-mile trap speed give horsepower.
class frmHP_MPH final : public QWidget, public CalculatorForm {
    Q_OBJECT

  public:
    explicit frmHP_MPH(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    std::span<QLineEdit* const> entryBoxes() const override { return boxes_.boxes(); }
    QAbstractButton* calculateButton() const override;
    std::span<ResultLabel* const> results() const override { return {&lblHP, 1}; }

  private:
    void cmdCalculate_Click();

    QGroupBox* Frame1;
    QLabel* Label1_1;
    QLineEdit* txtWeight;
    QLabel* Label1_5;
    QLineEdit* txtMPH;
    QLabel* Label1_6;
    ResultLabel* lblHP;
    QPushButton* cmdCalculate;
    EntryBoxes<TrapSpeedEntries> boxes_;
};

}  // namespace motoreckon
