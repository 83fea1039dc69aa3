#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/mdiform1.h"
#include "forms/twips.h"
#include "ui/frame_fixture.h"
#include "windows/frmrpmmph.h"

using namespace motoreckon;

class tst_frmRPMMPH : public QObject, test::FrameFixture {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void numberingGoesOnAcrossCloses();
    void modeLayout_data();
    void modeLayout();
    void calculates_data();
    void calculates();
    void formTypeSetAfterLoadChangesOnlyTheFormula();
    void enterPressesCalculate_data();
    void enterPressesCalculate();
    void clearChangesNothing();
    void keepsItsSize();

  private:
    QMdiSubWindow* open(const char* command);
    template <class T>
    static T* control(QMdiSubWindow* sub, const char* name) {
        return FrameFixture::control<T>(sub->widget(), name);
    }
    void fill(QMdiSubWindow* sub, const QStringList& namesAndTexts);
};

void tst_frmRPMMPH::init() { startFrame(); }

void tst_frmRPMMPH::cleanup() { stopFrame(); }

// The child window the command opened.
QMdiSubWindow* tst_frmRPMMPH::open(const char* command) {
    FrameFixture::open(command);
    return frame->mdiArea()->subWindowList(QMdiArea::CreationOrder).last();
}

void tst_frmRPMMPH::fill(QMdiSubWindow* sub, const QStringList& namesAndTexts) {
    for (qsizetype i = 0; i + 1 < namesAndTexts.size(); i += 2) {
        control<QLineEdit>(sub, namesAndTexts[i].toLatin1().constData())
            ->setText(namesAndTexts[i + 1]);
    }
}

void tst_frmRPMMPH::numberingGoesOnAcrossCloses() {
    QMdiSubWindow* mph1 = open("mnuMPH");
    QCOMPARE(mph1->windowTitle(), QStringLiteral("MPH (1)"));
    QCOMPARE(open("mnuRPM")->windowTitle(), QStringLiteral("RPM (1)"));

    mph1->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);
    QCOMPARE(open("mnuMPH")->windowTitle(), QStringLiteral("MPH (2)"));
    QCOMPARE(open("mnuRPM")->windowTitle(), QStringLiteral("RPM (2)"));

    // No table of eight: the numbers go on.
    QString last;
    for (int i = 0; i < 8; ++i) last = open("mnuMPH")->windowTitle();
    QCOMPARE(last, QStringLiteral("MPH (10)"));
    QCOMPARE(frame->windowsOpened(calculator("mnuMPH")), 10);
    QCOMPARE(frame->windowsOpened(calculator("mnuRPM")), 2);
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 11);
}

void tst_frmRPMMPH::modeLayout_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("order");  // Tab from where the focus is as the window opens

    const QStringList rest{"txtAxle", "txtTransmission", "txtTireDiameter", "cmdCalculate",
                           "cmdClear"};
    QTest::newRow("RPM") << "mnuRPM"
                         << QStringList{"MPH", "Axle Ratio", "Transmission Ratio", "Tire Diameter",
                                        "RPM"}
                         << QStringList{"txtMPH"} + rest + QStringList{"txtMPH"};
    QTest::newRow("MPH") << "mnuMPH"
                         << QStringList{"RPM", "Axle Ratio", "Transmission Ratio", "Tire Diameter",
                                        "MPH"}
                         << QStringList{"txtRPM"} + rest + QStringList{"txtRPM"};
}

void tst_frmRPMMPH::modeLayout() {
    QFETCH(QString, command);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, order);

    QMdiSubWindow* sub = open(command.toLatin1().constData());
    for (int i = 0; i < 5; ++i) {
        const QByteArray name = "Label1_" + QByteArray::number(i);
        QCOMPARE(control<QLabel>(sub, name.constData())->text(), captions[i]);
    }
    for (const char* box : {"txtRPM", "txtMPH"}) {
        QCOMPARE(control<QLineEdit>(sub, box)->isHidden(), !order.contains(QLatin1String(box)));
    }
    QCOMPARE(control<QPushButton>(sub, "cmdClear")->text(), QStringLiteral("Command2"));
    QCOMPARE(frame->mdiArea()->activeSubWindow(), sub);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void tst_frmRPMMPH::calculates_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("answer");

    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("engine speed") << "mnuRPM" << english
                                  << QStringList{"txtMPH",          "60", "txtAxle",         "3.73",
                                                 "txtTransmission", "1",  "txtTireDiameter", "26"}
                                  << "2,892";
    QTest::newRow("road speed") << "mnuMPH" << english
                                << QStringList{"txtRPM",          "3000", "txtAxle",         "3.73",
                                               "txtTransmission", "1",    "txtTireDiameter", "26"}
                                << "62";
    QTest::newRow("German region")
        << "mnuRPM" << german << QStringList{"txtMPH",          "60", "txtAxle",         "3,73",
                                             "txtTransmission", "1",  "txtTireDiameter", "26"}
        << "2.892";
}

void tst_frmRPMMPH::calculates() {
    QFETCH(QString, command);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, entries);
    QFETCH(QString, answer);

    QLocale::setDefault(locale);
    QMdiSubWindow* sub = open(command.toLatin1().constData());
    fill(sub, entries);
    control<QPushButton>(sub, "cmdCalculate")->click();
    QCOMPARE(control<QLabel>(sub, "lblAnswer")->text(), answer);
    QVERIFY(recorder->events.isEmpty());
    for (qsizetype i = 0; i + 1 < entries.size(); i += 2) {
        QCOMPARE(control<QLineEdit>(sub, entries[i].toLatin1().constData())->text(),
                 entries[i + 1]);
    }
}

void tst_frmRPMMPH::formTypeSetAfterLoadChangesOnlyTheFormula() {
    frmRPMMPH unset;
    unset.findChild<QLineEdit*>("txtRPM")->setText("3000");
    unset.findChild<QLineEdit*>("txtMPH")->setText("60");
    unset.findChild<QLineEdit*>("txtAxle")->setText("3.73");
    unset.findChild<QLineEdit*>("txtTransmission")->setText("1");
    unset.findChild<QLineEdit*>("txtTireDiameter")->setText("26");
    unset.Form_Load();

    // No mode: the design captions, both speed boxes, and Calculate does nothing.
    const QStringList design{"MPH", "Axle Ratio", "Transmission Ratio", "Tire Diameter", "RPM"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(unset.findChild<QLabel*>("Label1_" + QString::number(i))->text(), design[i]);
    }
    QVERIFY(!unset.findChild<QLineEdit*>("txtRPM")->isHidden());
    QVERIFY(!unset.findChild<QLineEdit*>("txtMPH")->isHidden());
    QPushButton* calculate = unset.findChild<QPushButton*>("cmdCalculate");
    QLabel* answer = unset.findChild<QLabel*>("lblAnswer");
    calculate->click();
    QCOMPARE(answer->text(), QString());
    QVERIFY(recorder->events.isEmpty());

    // Set after loading, the mode picks the formula but leaves the layout alone.
    unset.setFormType(frmRPMMPH::RoadSpeedMode);
    calculate->click();
    QCOMPARE(answer->text(), QStringLiteral("62"));
    QCOMPARE(unset.findChild<QLabel*>("Label1_0")->text(), QStringLiteral("MPH"));
    QVERIFY(!unset.findChild<QLineEdit*>("txtMPH")->isHidden());
    unset.setFormType(frmRPMMPH::EngineSpeedMode);
    calculate->click();
    QCOMPARE(answer->text(), QStringLiteral("2,892"));
    unset.setFormType(3);
    answer->clear();
    calculate->click();
    QCOMPARE(answer->text(), QString());
}

void tst_frmRPMMPH::enterPressesCalculate_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");

    QTest::newRow("Return in speed") << "txtMPH" << int(Qt::Key_Return);
    QTest::newRow("Return in axle") << "txtAxle" << int(Qt::Key_Return);
    QTest::newRow("Enter in tire") << "txtTireDiameter" << int(Qt::Key_Enter);
}

void tst_frmRPMMPH::enterPressesCalculate() {
    QFETCH(QString, box);
    QFETCH(int, key);

    QMdiSubWindow* sub = open("mnuRPM");
    fill(sub, {"txtMPH", "60", "txtAxle", "3.73", "txtTransmission", "1", "txtTireDiameter", "26"});
    QLineEdit* entry = control<QLineEdit>(sub, box.toLatin1().constData());
    entry->setFocus();
    QTest::keyClick(entry, Qt::Key(key),
                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(control<QLabel>(sub, "lblAnswer")->text(), QStringLiteral("2,892"));

    // Alt+C presses Calculate as well.
    fill(sub, {"txtMPH", "30"});
    QTest::keyClick(entry, 'C', Qt::AltModifier);
    QCOMPARE(control<QLabel>(sub, "lblAnswer")->text(), QStringLiteral("1,446"));

    // On the other button, Enter presses that button, which does nothing.
    fill(sub, {"txtMPH", "60"});
    QPushButton* clear = control<QPushButton>(sub, "cmdClear");
    clear->setFocus();
    QTest::keyClick(clear, Qt::Key_Return);
    QCOMPARE(control<QLabel>(sub, "lblAnswer")->text(), QStringLiteral("1,446"));
}

void tst_frmRPMMPH::clearChangesNothing() {
    QMdiSubWindow* sub = open("mnuRPM");
    const QStringList entries{"txtMPH",          "60", "txtAxle",         "3.73",
                              "txtTransmission", "1",  "txtTireDiameter", "26"};
    fill(sub, entries);
    control<QPushButton>(sub, "cmdCalculate")->click();
    control<QPushButton>(sub, "cmdClear")->click();
    QCOMPARE(control<QLabel>(sub, "lblAnswer")->text(), QStringLiteral("2,892"));
    for (qsizetype i = 0; i + 1 < entries.size(); i += 2) {
        QCOMPARE(control<QLineEdit>(sub, entries[i].toLatin1().constData())->text(),
                 entries[i + 1]);
    }
    QVERIFY(sub->isVisible());
    QVERIFY(recorder->events.isEmpty());
}

void tst_frmRPMMPH::keepsItsSize() {
    QMdiSubWindow* sub = open("mnuMPH");
    QCOMPARE(sub->widget()->size(), twipsSize(4155, 4080));
    QCOMPARE(sub->width(), twipsToPixels(4275));
    const QSize size = sub->size();
    sub->resize(size + QSize(120, 90));
    QCOMPARE(sub->size(), size);
    sub->resize(size - QSize(100, 100));
    QCOMPARE(sub->size(), size);
    sub->showMinimized();
    sub->showNormal();
    QCOMPARE(sub->size(), size);
    QVERIFY(sub->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(sub->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

QTEST_MAIN(tst_frmRPMMPH)
#include "tst_frmrpmmph.moc"
