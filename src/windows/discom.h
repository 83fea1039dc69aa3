#pragma once

#include <QMainWindow>

#include "core/displacement.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace motoreckon {

// The displacement and compression ratio window: bore, stroke, cylinders and the three
// combustion volumes give the engine's displacement and its static compression ratio. A
// top-level window with its own menu bar; closing it destroys it, its Exit button only hides
// it.
class discom final : public QMainWindow {
    Q_OBJECT

  public:
    explicit discom(QWidget* parent = nullptr);

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

    DiscomEntries entries() const;
    // The entry boxes in the order the calculation numbers its entries.
    QList<QLineEdit*> boxes() const;
    DiscomOptions options() const;
    void setResult(QLabel* label, const std::optional<std::string>& text,
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
    QLabel* lblCubicInch;
    QLabel* cr;
    QLabel* crlb;
    // Whether the head volume's caption still has the black it starts with.
    bool headStartsBlack_ = true;

    QMenu* MnuHelp;
    QAction* MnuCubin;
    QAction* MnuLiters;
    QAction* compratiomnu;
};

}  // namespace motoreckon
