#include "windows/frmspeedocorrect.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "forms/controls.h"
#include "forms/fonts.h"
#include "forms/twips.h"

namespace motoreckon {

namespace {

// Each caption ends just left of the box it names.
constexpr Qt::Alignment kCaption = Qt::AlignRight | Qt::AlignVCenter;

}  // namespace

frmSpeedoCorrect::frmSpeedoCorrect(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmSpeedoCorrect"));
    setWindowTitle(QStringLiteral("Speedometer Correction"));
    useLayoutFont(this);
    resize(twipsSize(5325, 3885));

    Frame1 = place(new QGroupBox(QStringLiteral("Frame1"), this), "Frame1",
                   twipsRect(480, 480, 2775, 1575));
    // Created in focus order; each box starts with its own name as its text.
    const struct {
        QLineEdit*& box;
        const char* name;
        int top;
    } boxes[] = {{Text1, "Text1", 360}, {Text2, "Text2", 1080}, {Text3, "Text3", 720}};
    for (const auto& b : boxes) {
        b.box = place(new QLineEdit(QLatin1String(b.name), Frame1), b.name,
                      twipsRect(1320, b.top, 975, 285));
    }
    Frame2 = place(new QGroupBox(QStringLiteral("Frame2"), this), "Frame2",
                   twipsRect(360, 2160, 2895, 1215));
    Option1 = place(new QRadioButton(QStringLiteral("Calculate Drive Gear"), Frame2), "Option1",
                    twipsRect(240, 360, 1815, 255));
    Option2 = place(new QRadioButton(QStringLiteral("Calculate Driven Gear"), Frame2), "Option2",
                    twipsRect(240, 840, 1935, 255));
    fitToText(Option1);
    fitToText(Option2);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Option1);
    setTabOrder(Option1, Option2);
    Text1->setFocus();

    Label1[5] = addLabel(Frame1, "Label1_5", QStringLiteral("Axle Ratio"),
                         twipsRect(240, 360, 975, 255), kCaption);
    Label1[0] = addLabel(Frame1, "Label1_0", QStringLiteral("Tire Diameter"),
                         twipsRect(240, 720, 975, 255), kCaption);
    Label1[4] = addLabel(Frame1, "Label1_4", QStringLiteral("Driven Gear"),
                         twipsRect(240, 1080, 975, 255), kCaption);
    // These three lie beyond the right edge of Frame1, which hides them.
    Label1[3] = addLabel(Frame1, "Label1_3", QStringLiteral("Label1"),
                         twipsRect(2880, 960, 975, 255), kCaption);
    Label1[1] = addLabel(Frame1, "Label1_1", QStringLiteral("Label1"),
                         twipsRect(3600, 480, 975, 255), kCaption);
    Label1[2] = addLabel(Frame1, "Label1_2", QStringLiteral("Label1"),
                         twipsRect(3960, 1200, 975, 255), kCaption);

    Label1[5]->setBuddy(Text1);
    Label1[0]->setBuddy(Text3);
    Label1[4]->setBuddy(Text2);
    describeEntry(Text1, QStringLiteral("Axle ratio, as a plain number"));
    describeEntry(Text3, QStringLiteral("Tire diameter, in inches"));
    describeEntry(Text2, QStringLiteral("Teeth of the driven gear"));
}

}  // namespace motoreckon
