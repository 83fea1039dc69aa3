#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QRadioButton>
#include <QTest>

#include "app/mdiform1.h"
#include "forms/twips.h"
#include "windows/frmspeedocorrect.h"

using namespace motoreckon;

class tst_frmSpeedoCorrect : public QObject {
    Q_OBJECT

  private slots:
    void noCommandOpensIt();
    void captions();
    void hiddenLabelsLieBeyondTheFrame();
    void optionsStartUnselectedAndExcludeEachOther();
    void focusOrder();
};

void tst_frmSpeedoCorrect::noCommandOpensIt() {
    MDIForm1 frame;
    frame.show();
    QAction* entry = frame.findChild<QAction*>(QStringLiteral("mnuSpeedometerCorrectoin"));
    QVERIFY(entry);
    entry->trigger();
    QCoreApplication::processEvents();
    for (QWidget* widget : QApplication::allWidgets()) {
        QVERIFY2(!qobject_cast<frmSpeedoCorrect*>(widget), "a speedometer window exists");
    }
    QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
    QCOMPARE(QApplication::topLevelWidgets().count(&frame), 1);
}

// The window's own words; each box starts with its own name.
void tst_frmSpeedoCorrect::captions() {
    frmSpeedoCorrect form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Speedometer Correction"));
    for (const auto& [name, text] : {std::pair{"Text1", "Text1"},
                                     {"Text2", "Text2"},
                                     {"Text3", "Text3"},
                                     {"Label1_5", "Axle Ratio"},
                                     {"Label1_0", "Tire Diameter"},
                                     {"Label1_4", "Driven Gear"},
                                     {"Label1_3", "Label1"},
                                     {"Label1_1", "Label1"},
                                     {"Label1_2", "Label1"},
                                     {"Option1", "Calculate Drive Gear"},
                                     {"Option2", "Calculate Driven Gear"}}) {
        QCOMPARE(form.findChild<QWidget*>(name)->property("text").toString(), text);
    }
    for (const char* name : {"Frame1", "Frame2"}) {
        QCOMPARE(form.findChild<QGroupBox*>(name)->title(), QLatin1String(name));
    }
}

void tst_frmSpeedoCorrect::hiddenLabelsLieBeyondTheFrame() {
    frmSpeedoCorrect form;
    const QGroupBox* frame = form.findChild<QGroupBox*>(QStringLiteral("Frame1"));
    for (const char* name : {"Label1_1", "Label1_2", "Label1_3"}) {
        const QLabel* label = frame->findChild<QLabel*>(QLatin1String(name));
        QVERIFY(label);
        QVERIFY(!label->isHidden());
        QVERIFY2(!frame->rect().intersects(label->geometry()), name);
    }
    for (const char* name : {"Label1_0", "Label1_4", "Label1_5"}) {
        const QLabel* label = frame->findChild<QLabel*>(QLatin1String(name));
        QVERIFY2(frame->rect().contains(label->geometry()), name);
    }
}

void tst_frmSpeedoCorrect::optionsStartUnselectedAndExcludeEachOther() {
    frmSpeedoCorrect form;
    auto* option1 = form.findChild<QRadioButton*>(QStringLiteral("Option1"));
    auto* option2 = form.findChild<QRadioButton*>(QStringLiteral("Option2"));
    QVERIFY(!option1->isChecked());
    QVERIFY(!option2->isChecked());
    option1->click();
    QVERIFY(option1->isChecked());
    option2->click();
    QVERIFY(option2->isChecked());
    QVERIFY(!option1->isChecked());
}

// The window opens with the focus in Text1. Tab visits the option group once, as one stop, the
// way option groups work on this platform; the chain itself holds both options in order.
void tst_frmSpeedoCorrect::focusOrder() {
    frmSpeedoCorrect form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text1"));
    QStringList chain;
    QWidget* widget = QApplication::focusWidget();
    do {
        if (widget->focusPolicy() & Qt::TabFocus) chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != QApplication::focusWidget());
    QCOMPARE(chain, (QStringList{"Text1", "Text2", "Text3", "Option1", "Option2"}));
}

QTEST_MAIN(tst_frmSpeedoCorrect)
#include "tst_frmspeedocorrect.moc"
