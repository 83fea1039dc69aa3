#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace motoreckon {

// Horsepower by trap speed: the car's weight and its quarter-mile trap speed give horsepower.
class frmHP_MPH final : public QWidget {
    Q_OBJECT

  public:
    explicit frmHP_MPH(QWidget* parent = nullptr);

  private:
    void cmdCalculate_Click();

    QGroupBox* Frame1;
    QLabel* Label1_1;
    QLineEdit* txtWeight;
    QLabel* Label1_5;
    QLineEdit* txtMPH;
    QLabel* Label1_6;
    QLabel* lblHP;
    QPushButton* cmdCalculate;
};

}  // namespace motoreckon
