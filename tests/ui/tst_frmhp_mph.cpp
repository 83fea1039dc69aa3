#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/mdiform1.h"
#include "forms/twips.h"
#include "ui/frame_fixture.h"
#include "windows/frmhp_mph.h"

using namespace motoreckon;

class tst_frmHP_MPH : public QObject, test::FrameFixture {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void oneSharedWindow();
    void opensWithFocusOnCalculate();
    void captions();
    void calculates();
    void enterPressesCalculate();
    void labelAccessKeysGoToWeight_data();
    void labelAccessKeysGoToWeight();
    void keepsItsSize();

  private:
    frmHP_MPH* openHorsepower();
    template <class T>
    T* control(const char* name) {
        return FrameFixture::control<T>(form, name);
    }

    QPointer<frmHP_MPH> form;
};

void tst_frmHP_MPH::init() {
    startFrame();
    form = openHorsepower();
}

void tst_frmHP_MPH::cleanup() { stopFrame(); }

frmHP_MPH* tst_frmHP_MPH::openHorsepower() {
    open("mnuHpMPH");
    const auto windows = frame->findChildren<frmHP_MPH*>();
    return windows.size() == 1 ? windows.first() : nullptr;
}

void tst_frmHP_MPH::oneSharedWindow() {
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("Horsepower by MPH"));
    control<QLineEdit>("txtWeight")->setText("3200");
    frame->findChild<QAction*>(QStringLiteral("mnuMPH"))->trigger();
    QVERIFY(frame->mdiArea()->activeSubWindow()->widget() != form);

    // Again: the same window, brought to the front with its entries.
    QCOMPARE(openHorsepower(), form.data());
    QCOMPARE(frame->mdiArea()->activeSubWindow()->widget(), form.data());
    QCOMPARE(control<QLineEdit>("txtWeight")->text(), QStringLiteral("3200"));
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 2);

    // Closed, it is discarded; the command opens a new, empty one.
    frame->mdiArea()->activeSubWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!form);
    form = openHorsepower();
    QVERIFY(form);
    QVERIFY(control<QLineEdit>("txtWeight")->text().isEmpty());
    QCOMPARE(frame->mdiArea()->activeSubWindow()->widget(), form.data());
}

void tst_frmHP_MPH::opensWithFocusOnCalculate() {
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>("cmdCalculate"));
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{"cmdCalculate", "txtWeight", "txtMPH", "cmdCalculate"}));
}

// The window's own words.
void tst_frmHP_MPH::captions() {
    for (const auto& [name, text] : {std::pair{"Label1_1", "&Weight"},
                                     {"Label1_5", "&MPH"},
                                     {"Label1_6", "Horse Power"},
                                     {"cmdCalculate", "&Calculate"}}) {
        QCOMPARE(control<QWidget>(name)->property("text").toString(), text);
    }
    QCOMPARE(control<QGroupBox>("Frame1")->title(), QStringLiteral("Frame1"));
}

// The worked example: 3200 pounds at 100 MPH are 250 horsepower; the boxes keep what was typed.
void tst_frmHP_MPH::calculates() {
    control<QLineEdit>("txtWeight")->setText("3200");
    control<QLineEdit>("txtMPH")->setText("100");
    control<QPushButton>("cmdCalculate")->click();
    QCOMPARE(control<QLabel>("lblHP")->text(), QStringLiteral("250"));
    QCOMPARE(control<QLineEdit>("txtWeight")->text(), QStringLiteral("3200"));
    QCOMPARE(control<QLineEdit>("txtMPH")->text(), QStringLiteral("100"));
    QVERIFY(recorder->events.isEmpty());
}

void tst_frmHP_MPH::enterPressesCalculate() {
    control<QLineEdit>("txtWeight")->setText("3200");
    QLineEdit* mph = control<QLineEdit>("txtMPH");
    mph->setText("100");
    mph->setFocus();
    QTest::keyClick(mph, Qt::Key_Return);
    QCOMPARE(control<QLabel>("lblHP")->text(), QStringLiteral("250"));

    mph->setText("110");
    control<QLineEdit>("txtWeight")->setText("3500");
    QTest::keyClick(control<QLineEdit>("txtWeight"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(control<QLabel>("lblHP")->text(), QStringLiteral("364"));
}

void tst_frmHP_MPH::labelAccessKeysGoToWeight_data() {
    QTest::addColumn<char>("key");
    QTest::newRow("Alt+W") << 'W';
    QTest::newRow("Alt+M") << 'M';
}

// The frame's "&Window" menu has the access key W as well; in this window the label has it.
void tst_frmHP_MPH::labelAccessKeysGoToWeight() {
    QFETCH(char, key);
    QPushButton* calculate = control<QPushButton>("cmdCalculate");
    QCOMPARE(QApplication::focusWidget(), calculate);
    QTest::keyClick(calculate, key, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>("txtWeight"));

    // Alt+C presses Calculate from a box.
    control<QLineEdit>("txtWeight")->setText("3200");
    control<QLineEdit>("txtMPH")->setText("100");
    QTest::keyClick(control<QLineEdit>("txtWeight"), 'C', Qt::AltModifier);
    QCOMPARE(control<QLabel>("lblHP")->text(), QStringLiteral("250"));
}

void tst_frmHP_MPH::keepsItsSize() {
    QMdiSubWindow* sub = frame->mdiArea()->activeSubWindow();
    QCOMPARE(sub->widget(), form.data());
    QCOMPARE(form->size(), twipsSize(3465, 2925));
    QCOMPARE(sub->width(), twipsToPixels(3585));
    const QSize size = sub->size();
    sub->resize(size + QSize(200, 150));
    QCOMPARE(sub->size(), size);
    sub->resize(size / 2);
    QCOMPARE(sub->size(), size);
    QVERIFY(sub->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(sub->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

QTEST_MAIN(tst_frmHP_MPH)
#include "tst_frmhp_mph.moc"
