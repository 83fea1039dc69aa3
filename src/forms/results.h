#pragma once

#include <QLabel>
#include <QRect>
#include <QString>
#include <optional>
#include <string>

#include "core/regional_format.h"

class QWidget;

namespace motoreckon {

// A result of a calculator window: a label that keeps beside what it shows the whole number it
// stands for, and that the user can select with the mouse and copy while the focus stays where
// it is: it never takes the focus and Tab passes it by.
//
// A window holds one selection at a time: selecting in a result clears the selection of the
// window's boxes and other results, and selecting in a box clears the results'. Ctrl+C anywhere
// in the window copies the result selected (selectedResult), and Copy in the result's context
// menu copies it as well, or the whole result when nothing of it is selected; a result shown in
// exponent form copies as its whole number.
class ResultLabel final : public QLabel {
    Q_OBJECT

  public:
    explicit ResultLabel(QWidget* parent);

    // Shows `text`, a result as the formulas write it. A number too long for the room the label
    // has, from where it stands to the right edge of its window, would be cut off and read as
    // another number: it is shown instead in exponent form with as many significant digits as
    // fit (7.80463195541E+306), and the whole number is its tooltip, in lines that fit the
    // screen. A screen reader gets the whole number as the label's name. The caller sizes the
    // label.
    void showNumber(const std::string& text, const RegionalFormat& format);

    // The result the label stands for: the whole number, however it is shown; the text it shows
    // until a result is first shown.
    QString result() const { return whole_.value_or(text()); }

    // What copying the label gives: what is selected of it, else all of it; the whole number
    // where it shows the exponent form.
    QString copied() const;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void selectOnlyHere();

    std::optional<QString> whole_;
    bool watchingBoxes_ = false;
};

// A result label of a calculator window, named `name`, at its place in the layout, with its text
// aligned as `alignment` says; it is sized as it is filled.
ResultLabel* addResult(QWidget* container, const char* name, QRect geometry,
                       Qt::Alignment alignment);

// What Ctrl+C in the calculator window `form` copies of the result selected there; empty when
// no result is selected.
QString selectedResult(QWidget* form);

}  // namespace motoreckon
