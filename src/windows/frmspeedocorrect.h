#pragma once

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace motoreckon {

// The layout of a speedometer-gear calculator: axle ratio, tire diameter and driven gear, and
// the choice of which gear to calculate. It calculates nothing, and no command opens it.
class frmSpeedoCorrect final : public QWidget {
    Q_OBJECT

  public:
    explicit frmSpeedoCorrect(QWidget* parent = nullptr);

  private:
    QGroupBox* Frame1;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    std::array<QLabel*, 6> Label1;
    QGroupBox* Frame2;
    QRadioButton* Option1;
    QRadioButton* Option2;
};

}  // namespace motoreckon
