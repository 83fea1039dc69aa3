#include "forms/feedback.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace motoreckon {

namespace {

class MessageBoxFeedback final : public Feedback {
  public:
    // The box belongs to `parent`: a window that goes away while its box is open takes the box
    // with it, and the box is then not deleted a second time here. Its text is always plain,
    // as it may quote what the user typed.
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override {
        QPointer<QMessageBox> box =
            new QMessageBox(toMessageBoxIcon(icon), title, text, QMessageBox::Ok, parent);
        box->setObjectName(QStringLiteral("messageBox"));
        box->setTextFormat(Qt::PlainText);
        box->exec();
        delete box;
    }

    void beep() override { QApplication::beep(); }

  private:
    static QMessageBox::Icon toMessageBoxIcon(Icon icon) {
        switch (icon) {
            case Icon::Information:
                return QMessageBox::Information;
            case Icon::Warning:
                return QMessageBox::Warning;
            case Icon::None:
                break;
        }
        return QMessageBox::NoIcon;
    }
};

MessageBoxFeedback realFeedback;
Feedback* installed = nullptr;

}  // namespace

Feedback& feedback() { return installed ? *installed : realFeedback; }

Feedback& messageBoxes() { return realFeedback; }

void installFeedback(Feedback* replacement) { installed = replacement; }

}  // namespace motoreckon
