#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace motoreckon {

class CenterParent;

// The carburetor window: maximum RPM, displacement and volumetric efficiency give the CFM a
// carburetor must flow.
class frmCarbSize final : public QWidget {
    Q_OBJECT

  public:
    explicit frmCarbSize(QWidget* parent = nullptr);

    // Load: centre the window in the frame's client area.
    void Form_Load(const CenterParent& frame);

  private:
    void cmdCalculateCFM_Click();

    QLineEdit* txtRPM;
    QLineEdit* txtCubicInches;
    QLineEdit* txtEfficency;
    QLabel* lblCFM;
    QPushButton* cmdCalculateCFM;
    QPushButton* Command2;
};

}  // namespace motoreckon
