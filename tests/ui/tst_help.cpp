#include <QAction>
#include <QHelpEngineCore>
#include <QHelpLink>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/helpviewer.h"
#include "shell/mdiform1.h"
#include "ui/recorder.h"

using namespace motoreckon;
using motoreckon::test::Recorder;

namespace {

// Records every help request; fails each one with `error` when that is set.
class RecordingViewer final : public HelpViewer {
  public:
    struct Request {
        WId window;
        QByteArray helpFile;
        std::uint32_t command;
        std::int16_t data;
    };

    RecordingViewer() { installHelpViewer(this); }
    ~RecordingViewer() override { installHelpViewer(nullptr); }

    std::int32_t WinHelp(WId window, const QByteArray& helpFile, std::uint32_t command,
                         const std::int16_t* data) override {
        requests.append({window, helpFile, command, data ? *data : std::int16_t{-1}});
        if (!error.empty()) throw HelpError(error);
        return 0;  // the viewer's failure status is no error to the program
    }

    QVector<Request> requests;
    std::string error;
};

}  // namespace

class TestHelp : public QObject {
    Q_OBJECT

  private:
    MDIForm1* frame = nullptr;

  private slots:
    void init() {
        frame = new MDIForm1;
        frame->show();
    }
    void cleanup() { delete frame; }

    void eachCommandMakesOneRequest_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<uint>("command");
        QTest::newRow("contents") << "mnuHelpContents" << 3u;
        QTest::newRow("search") << "mnuHelpSearch" << 0x105u;
    }
    void eachCommandMakesOneRequest() {
        QFETCH(QString, entry);
        QFETCH(uint, command);
        Recorder recorder;
        RecordingViewer viewer;
        frame->findChild<QAction*>(entry)->trigger();
        QCOMPARE(viewer.requests.size(), 1);
        const auto& request = viewer.requests.first();
        QCOMPARE(request.command, command);
        QCOMPARE(request.data, std::int16_t{0});
        QCOMPARE(request.window, frame->winId());
        QVERIFY(request.helpFile.endsWith("WinHlp31/Gearbook.hlp"));
        QVERIFY(QDir::isAbsolutePath(QString::fromLocal8Bit(request.helpFile)));
        QVERIFY(recorder.events.isEmpty());
    }

    void aFailingViewerIsReportedOnceAndTheProgramGoesOn() {
        Recorder recorder;
        RecordingViewer viewer;
        viewer.error = "The help viewer could not be started.";
        frame->findChild<QAction*>("mnuHelpContents")->trigger();
        frame->findChild<QAction*>("mnuHelpSearch")->trigger();
        QCOMPARE(viewer.requests.size(), 2);
        QCOMPARE(recorder.events.size(), 2);
        for (const auto& box : recorder.events) {
            QCOMPARE(box.kind, Recorder::Event::Kind::Message);
            QCOMPARE(box.title, QStringLiteral("Motoreckon"));
            QCOMPARE(box.text, QStringLiteral("The help viewer could not be started."));
            QCOMPARE(box.icon, Feedback::Icon::None);
        }
        QVERIFY(frame->isVisible());
    }

    // The collection the build made opens in Qt's help engine, from wherever it is copied,
    // and its index leads to a page for every calculator.
    void theBuiltCollectionIndexesEveryCalculator() {
        QTemporaryDir copy;
        const QFileInfo built(QStringLiteral(MOTORECKON_HELP_BUILD_FILE));
        for (const QString& name : {built.fileName(), QStringLiteral("motoreckon.qch")}) {
            QVERIFY(QFile::copy(built.dir().filePath(name), copy.filePath(name)));
        }
        QHelpEngineCore engine(copy.filePath(built.fileName()));
        engine.setReadOnly(false);
        QVERIFY2(engine.setupData(), qPrintable(engine.error()));
        QCOMPARE(engine.registeredDocumentations().size(), 1);
        for (const char* keyword : {"Carburator Sizing", "Size & Compression Ratio", "MPH", "RPM",
                                    "HP by MPH", "Incomplete Data"}) {
            const QList<QHelpLink> pages = engine.documentsForKeyword(QString::fromUtf8(keyword));
            QVERIFY2(!pages.isEmpty(), keyword);
            QVERIFY2(!engine.fileData(pages.first().url).isEmpty(), keyword);
        }
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
