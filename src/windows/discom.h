#pragma once

#include <QMainWindow>

#include "core/displacement.h"
#include "forms/calculator_form.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;

namespace motoreckon {

// The displacement and compression ratio window: bore, stroke, cylinders and the three
// combustion volumes give the engine's displacement and its static compression ratio. A
// top-level window with its own menu bar; closing it destroys it, its Exit button only hides
// it.
class discom final : public QMainWindow, public CalculatorForm {
    Q_OBJECT

  public:
    explicit discom(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    std::span<QLineEdit* const> entryBoxes() const override { return boxes_.boxes(); }
    QAbstractButton* calculateButton() const override;
    std::span<ResultLabel* const> results() const override { return results_; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void buildControls(QWidget* client);
    void buildMenus();
    void Form_Load();

    void Com_calc_Click();
    void MnuCubin_Click();
    void MnuLiters_Click();
    void compratiomnu_Click();
    void refreshIfShown();

    DiscomOptions options() const;
    void setResult(ResultLabel* label, const std::optional<std::string>& text,
                   const RegionalFormat& format);
    void applyColours();

    QLineEdit* txtBore;
    QLineEdit* txtStroke;
    QLineEdit* txtCylinders;
    QLineEdit* headtx;
    QLineEdit* gaskettx;
    QLineEdit* decktx;
    QCheckBox* roundtx;
    QPushButton* Com_calc;
    QPushButton* Com_cancl;
    QPushButton* Com_end;
    QLabel* bore;
    QLabel* stroke;
    QLabel* cylinders;
    QLabel* head;
    QLabel* gaskvol;
    QLabel* deck;
    QLabel* enter;
    QLabel* ci;
    ResultLabel* lblCubicInch;
    QLabel* cr;
    ResultLabel* crlb;
    EntryBoxes<DiscomEntries> boxes_;
    std::array<ResultLabel*, 2> results_{};
    // Whether the head volume's caption still has the black it starts with.
    bool headStartsBlack_ = true;

    QMenu* MnuHelp;
    QAction* MnuCubin;
    QAction* MnuLiters;
    QAction* compratiomnu;
};

}  // namespace motoreckon
