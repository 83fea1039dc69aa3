#pragma once

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <memory>

#include "app/calculators.h"
#include "app/mdiform1.h"
#include "forms/calculator_form.h"
#include "ui/recorder.h"

namespace motoreckon::test {

// The program's frame, shown and active as the user meets it, in an English region; message
// boxes and beeps go to `recorder` unless a test drops it to meet the real ones.
class FrameFixture {
  public:
    void startFrame() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        recorder = std::make_unique<Recorder>();
        frame = std::make_unique<MDIForm1>();
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    }

    void stopFrame() {
        frame.reset();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (calculatorForm(top)) top->deleteLater();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        recorder.reset();
    }

    // Chooses the frame's menu entry `command`; returns the calculator it brought up: the window
    // of a shared one, else the one it made.
    QWidget* open(const char* command) {
        const QList<QWidget*> before = forms();
        menuEntry(command)->trigger();
        const Calculator& row = calculator(command);
        if (row.opening == Opening::Shared) return frame->sharedWindow(row);
        for (QWidget* form : forms()) {
            if (!before.contains(form)) return form;
        }
        return nullptr;
    }

    // Every calculator window: the forms of the frame's child windows and windows of their own.
    QList<QWidget*> forms() const {
        QList<QWidget*> all;
        for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList()) all << sub->widget();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (calculatorForm(top)) all << top;
        }
        return all;
    }

    QAction* menuEntry(const char* name) const { return control<QAction>(frame.get(), name); }

    // The calculator the Formulas entry `entry` stands for.
    static const Calculator& calculator(const char* entry) {
        for (const Calculator& row : calculators()) {
            if (QLatin1String(row.entry) == QLatin1String(entry)) return row;
        }
        qFatal("no calculator %s", entry);
    }

    template <class T>
    static T* control(const QObject* form, const char* name) {
        T* found = form->findChild<T*>(QLatin1String(name));
        if (!found) qFatal("no %s in %s", name, qPrintable(form->objectName()));
        return found;
    }

    static QLineEdit* box(const QObject* form, const char* name) {
        return control<QLineEdit>(form, name);
    }

    // Types each text into the box named before it: {"txtRPM", "6000", ...}.
    static void fill(const QObject* form, std::initializer_list<const char*> namesAndTexts) {
        for (auto it = namesAndTexts.begin();
             it != namesAndTexts.end() && it + 1 != namesAndTexts.end(); it += 2) {
            box(form, *it)->setText(QString::fromUtf8(*(it + 1)));
        }
    }

    std::unique_ptr<MDIForm1> frame;
    std::unique_ptr<Recorder> recorder;
};

}  // namespace motoreckon::test
