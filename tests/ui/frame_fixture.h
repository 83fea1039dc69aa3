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
#include "ui/recorder.h"
#include "windows/discom.h"

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
            if (qobject_cast<discom*>(top)) delete top;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        recorder.reset();
    }

    // Chooses the frame's menu entry `command`; returns the calculator it brought up: the form
    // inside the active child window, or the displacement window.
    QWidget* open(const char* command) {
        menuEntry(command)->trigger();
        if (QLatin1String(command) == QLatin1String("mnuSizeCompression")) {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (qobject_cast<discom*>(top) && top->isVisible()) return top;
            }
            return nullptr;
        }
        QMdiSubWindow* sub = frame->mdiArea()->activeSubWindow();
        return sub ? sub->widget() : nullptr;
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
