#include "shell/feedback.h"

#include <QApplication>
#include <QMessageBox>

namespace motoreckon {

namespace {

class MessageBoxFeedback final : public Feedback {
  public:
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override {
        QMessageBox box(toMessageBoxIcon(icon), title, text, QMessageBox::Ok, parent);
        box.exec();
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

void installFeedback(Feedback* replacement) { installed = replacement; }

}  // namespace motoreckon
