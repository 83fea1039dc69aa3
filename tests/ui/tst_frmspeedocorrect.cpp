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
    void controlsInPlace_data();
    void controlsInPlace();
    void hiddenLabelsLieBeyondTheFrame();
    void optionsStartUnselectedAndExcludeEachOther();
    void focusOrder();
};

void tst_frmSpeedoCorrect::noCommandOpensIt() {
    MDIForm1 frame;
    frame.show();
    QAction* entry = frame.findChild<QAction*>(QStringLiteral("mnuSpeedometerCorrectoin"));
    QVERIFY(entry);
    QCOMPARE(entry->text(), QStringLiteral("Speedometer Correction"));
    entry->trigger();
    QCoreApplication::processEvents();
    for (QWidget* widget : QApplication::allWidgets()) {
        QVERIFY2(!qobject_cast<frmSpeedoCorrect*>(widget), "a speedometer window exists");
    }
    QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
    QCOMPARE(QApplication::topLevelWidgets().count(&frame), 1);
}

void tst_frmSpeedoCorrect::controlsInPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");

    QTest::newRow("Frame1") << "Frame1"
                            << "frmSpeedoCorrect" << twipsRect(480, 480, 2775, 1575) << "Frame1";
    QTest::newRow("Text1") << "Text1"
                           << "Frame1" << twipsRect(1320, 360, 975, 285) << "Text1";
    QTest::newRow("Text3") << "Text3"
                           << "Frame1" << twipsRect(1320, 720, 975, 285) << "Text3";
    QTest::newRow("Text2") << "Text2"
                           << "Frame1" << twipsRect(1320, 1080, 975, 285) << "Text2";
    QTest::newRow("Frame2") << "Frame2"
                            << "frmSpeedoCorrect" << twipsRect(360, 2160, 2895, 1215) << "Frame2";
    QTest::newRow("Label1_5") << "Label1_5"
                              << "Frame1" << twipsRect(240, 360, 975, 255) << "Axle Ratio";
    QTest::newRow("Label1_0") << "Label1_0"
                              << "Frame1" << twipsRect(240, 720, 975, 255) << "Tire Diameter";
    QTest::newRow("Label1_4") << "Label1_4"
                              << "Frame1" << twipsRect(240, 1080, 975, 255) << "Driven Gear";
    QTest::newRow("Label1_3") << "Label1_3"
                              << "Frame1" << twipsRect(2880, 960, 975, 255) << "Label1";
    QTest::newRow("Label1_1") << "Label1_1"
                              << "Frame1" << twipsRect(3600, 480, 975, 255) << "Label1";
    QTest::newRow("Label1_2") << "Label1_2"
                              << "Frame1" << twipsRect(3960, 1200, 975, 255) << "Label1";
    QTest::newRow("Option1") << "Option1"
                             << "Frame2" << twipsRect(240, 360, 1815, 255)
                             << "Calculate Drive Gear";
    QTest::newRow("Option2") << "Option2"
                             << "Frame2" << twipsRect(240, 840, 1935, 255)
                             << "Calculate Driven Gear";
}

// Boxes and frames sit exactly where the layout puts them. Captions keep their row and the edge
// their text is aligned to, and are wide enough for their whole text where the font needs more
// room than the layout gives.
void tst_frmSpeedoCorrect::controlsInPlace() {
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, rect);
    QFETCH(QString, text);

    frmSpeedoCorrect form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Speedometer Correction"));
    QCOMPARE(form.size(), twipsSize(5325, 3885));
    QWidget* widget = form.findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->geometry().right(), rect.right());
        QCOMPARE(label->geometry().top(), rect.top());
        QVERIFY(label->width() >= label->sizeHint().width());
    } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        QCOMPARE(option->text(), text);
        QCOMPARE(option->geometry().left(), rect.left());
        QVERIFY(option->geometry().top() <= rect.top());
        QVERIFY(option->geometry().bottom() >= rect.bottom());
        QVERIFY(option->width() >= option->sizeHint().width());
        QVERIFY(option->geometry().right() < widget->parentWidget()->width());
    } else {
        QCOMPARE(widget->geometry(), rect);
        if (auto* box = qobject_cast<QLineEdit*>(widget)) QCOMPARE(box->text(), text);
        if (auto* group = qobject_cast<QGroupBox*>(widget)) QCOMPARE(group->title(), text);
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
