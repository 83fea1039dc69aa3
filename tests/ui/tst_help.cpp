#include <QAction>
#include <QDir>
#include <QHelpEngineCore>
#include <QHelpLink>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QtTest>
#include <algorithm>
#include <csignal>

#include "app/helpviewer.h"
#include "app/mdiform1.h"
#include "forms/controls.h"
#include "ui/frame_fixture.h"

using namespace motoreckon;
using motoreckon::test::Recorder;

using RecordingViewer = test::HelpRecorder;

class TestHelp : public QObject, test::FrameFixture {
    Q_OBJECT

  private:
    // A request as the frame's help commands make it, for the collection the build made.
    static std::int32_t request(HelpViewer& viewer, WId window, std::uint32_t command,
                                const QString& collection = MOTORECKON_HELP_BUILD_FILE) {
        const std::int16_t emptyKeyword = 0;
        return viewer.WinHelp(window, collection.toLocal8Bit(), command, &emptyKeyword);
    }

  private slots:
    void init() { startFrame(); }
    void cleanup() { stopFrame(); }

    void eachCommandMakesOneRequest_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<uint>("command");
        QTest::newRow("contents") << "mnuHelpContents" << 3u;
        QTest::newRow("search") << "mnuHelpSearch" << 0x105u;
    }
    void eachCommandMakesOneRequest() {
        QFETCH(QString, entry);
        QFETCH(uint, command);
        RecordingViewer viewer;
        frame->findChild<QAction*>(entry)->trigger();
        QCOMPARE(viewer.requests.size(), 1);
        const auto& request = viewer.requests.first();
        QCOMPARE(request.command, command);
        QCOMPARE(request.data, std::int16_t{0});
        QCOMPARE(request.window, frame->winId());
        QVERIFY(request.helpFile.endsWith("WinHlp31/Gearbook.hlp"));
        QVERIFY(QDir::isAbsolutePath(QString::fromLocal8Bit(request.helpFile)));
        QVERIFY(recorder->events.isEmpty());
    }

    void aFailingViewerIsReportedOnceAndTheProgramGoesOn() {
        RecordingViewer viewer;
        viewer.error = "The help viewer could not be started.";
        frame->findChild<QAction*>("mnuHelpContents")->trigger();
        frame->findChild<QAction*>("mnuHelpSearch")->trigger();
        QCOMPARE(viewer.requests.size(), 2);
        QCOMPARE(recorder->events.size(), 2);
        for (const auto& box : recorder->events) {
            QCOMPARE(box.kind, Recorder::Event::Kind::Message);
            QCOMPARE(box.title, QStringLiteral("Motoreckon"));
            QCOMPARE(box.text, QStringLiteral("The help viewer could not be started."));
            QCOMPARE(box.icon, Feedback::Icon::None);
        }
        QVERIFY(frame->isVisible());
    }

    // A stand-in for Qt Assistant records how it was started and the commands it reads: the
    // program keeps one viewer, hands it each request, and starts a new one once the user has
    // closed it. The viewer's own output goes nowhere.
    void oneViewerTakesEveryRequestUntilItIsClosed() {
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("log"));
        const QString program = dir.filePath(QStringLiteral("assistant"));
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\n"
                                    "echo \"started $*\" >> %1\n"
                                    "echo \"output $(readlink /proc/$$/fd/1) "
                                    "$(readlink /proc/$$/fd/2)\" >> %1\n"
                                    "echo $$ > %1.pid\n"
                                    "echo chatter; echo chatter >&2\n"
                                    "while read -r line; do echo \"read $line\" >> %1; done\n")
                         .arg(log)
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const auto lines = [&log] {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n')
                                                  : QStringList();
        };
        const auto startedWith = [&lines] {
            return lines().filter(QRegularExpression(QStringLiteral("^started ")));
        };

        AssistantViewer viewer(program);
        QCOMPARE(request(viewer, frame->winId(), kHelpContents), 1);
        QCOMPARE(request(viewer, frame->winId(), kHelpPartialKey), 1);
        QTRY_COMPARE(lines().filter(QRegularExpression(QStringLiteral("^read "))).size(), 2);
        const QStringList started = startedWith();
        QCOMPARE(started.size(), 1);
        QVERIFY(started.first().contains(
            QStringLiteral("-collectionFile " MOTORECKON_HELP_BUILD_FILE)));
        QVERIFY(started.first().contains(QRegularExpression(
            QStringLiteral("-enableRemoteControl -qwindowgeometry \\d+x\\d+\\+\\d+\\+\\d+$"))));
        QVERIFY(!lines()
                     .filter(QRegularExpression(QStringLiteral("^output /dev/null pipe:")))
                     .isEmpty());
        QVERIFY(
            lines().contains(QStringLiteral("read setSource qthelp://com.motoreckon.gearbook/doc/"
                                            "index.html;show contents;expandToc -1")));
        QVERIFY(lines().contains(QStringLiteral("read show index")));

        // The user closes the viewer; the next request starts a new one.
        QFile pid(log + QStringLiteral(".pid"));
        QVERIFY(pid.open(QIODevice::ReadOnly));
        QCOMPARE(::kill(pid.readAll().trimmed().toInt(), SIGTERM), 0);
        QTest::qWait(200);
        QCOMPARE(request(viewer, frame->winId(), kHelpContents), 1);
        QTRY_COMPARE(startedWith().size(), 2);
        QTRY_COMPARE(lines().filter(QRegularExpression(QStringLiteral("^read "))).size(), 3);
        QVERIFY(recorder->events.isEmpty());
    }

    // The viewer opens centred on the free part of the screen, wholly, its frame included.
    void theViewerLiesWhollyOnTheScreen_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("size");
        QTest::newRow("1024x768 under a panel") << QRect(0, 32, 1024, 736) << QSize(922, 662);
        QTest::newRow("1280x1024 beside another") << QRect(1920, 0, 1280, 1024) << QSize(960, 720);
    }
    void theViewerLiesWhollyOnTheScreen() {
        QFETCH(QRect, available);
        QFETCH(QSize, size);
        const QMargins frame(1, 24, 1, 5);
        const QRect placed = helpViewerGeometry(available, frame);
        const QRect outer(placed.topLeft(), placed.size().grownBy(frame));
        QCOMPARE(placed.size(), size);
        QVERIFY(available.contains(outer));
        QVERIFY((outer.center() - available.center()).manhattanLength() <= 2);
    }

    // Where the viewer cannot show the book it is not started and says so itself, under its
    // own title, naming the file; the program shows nothing of its own. A viewer that cannot
    // start raises the program's one error.
    void theViewerSaysWhenItCannotShowTheBook_data() {
        QTest::addColumn<QString>("collection");
        QTest::addColumn<QString>("viewer");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("error");
        QTest::newRow("no help file")
            << "/nonexistent/WinHlp31/Gearbook.hlp"
            << "/bin/true" << 0
            << "The help file /nonexistent/WinHlp31/Gearbook.hlp is missing or cannot be read."
            << "";
        QTest::newRow("a folder for a help file")
            << "/tmp"
            << "/bin/true" << 0 << "The help file /tmp is missing or cannot be read."
            << "";
        // Any file but a sound collection of the book would open an empty, untitled viewer: a
        // program, the book itself, a collection cut short.
        const auto damaged = [](const QString& file) {
            return "The help file " + file + " is damaged or holds no Motoreckon help.";
        };
        QTest::newRow("not a help collection") << "/bin/true"
                                               << "/bin/false" << 0 << damaged("/bin/true") << "";
        static const QTemporaryDir copies;
        const QString cut = copies.filePath(QStringLiteral("Truncated.hlp"));
        QVERIFY(QFile::copy(MOTORECKON_HELP_BUILD_FILE, cut) && QFile::resize(cut, 40000));
        const QString book =
            QString(MOTORECKON_HELP_BUILD_FILE).replace("Gearbook.hlp", "motoreckon.qch");
        for (const QString& file : {book, cut}) {
            QTest::addRow("%s", qPrintable(QFileInfo(file).fileName()))
                << file << "/bin/false" << 0 << damaged(file) << "";
        }
        // A viewer that starts but ends with an error, as Qt Assistant does where it cannot
        // open the collection or write its settings.
        QTest::newRow("viewer gives up")
            << MOTORECKON_HELP_BUILD_FILE << "/bin/false" << 1
            << "The help viewer could not show the help file " MOTORECKON_HELP_BUILD_FILE "."
            << "";
        QTest::newRow("no viewer")
            << MOTORECKON_HELP_BUILD_FILE << "/nonexistent/assistant" << 0 << ""
            << "The help viewer /nonexistent/assistant could not be started.";
    }
    void theViewerSaysWhenItCannotShowTheBook() {
        QFETCH(QString, collection);
        QFETCH(QString, viewer);
        QFETCH(int, status);
        QFETCH(QString, message);
        QFETCH(QString, error);
        AssistantViewer assistant(viewer);
        try {
            QCOMPARE(request(assistant, frame->winId(), kHelpContents, collection), status);
            QVERIFY(error.isEmpty());
        } catch (const HelpError& raised) {
            QCOMPARE(QString::fromUtf8(raised.what()), error);
        }
        QTRY_COMPARE(recorder->messages().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(recorder->messages().first().title, QStringLiteral("Qt Assistant"));
            QCOMPARE(recorder->messages().first().text, message);
        }
    }

    // The collection the build made opens in Qt's help engine, from wherever it is copied,
    // and its index leads from every calculator's menu entry to its page.
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
        QVERIFY(!engine.documentsForKeyword(QStringLiteral("Incomplete Data")).isEmpty());
        for (const Calculator& row : calculators()) {
            const QString keyword = plainCaption(QLatin1String(row.caption));
            const QList<QHelpLink> pages = engine.documentsForKeyword(keyword);
            const QLatin1String page(row.helpPage ? row.helpPage : "index.html");
            QVERIFY2(
                std::any_of(pages.begin(), pages.end(),
                            [&page](const QHelpLink& link) { return link.url.fileName() == page; }),
                qPrintable(keyword));
            QVERIFY2(!engine.fileData(pages.first().url).isEmpty(), qPrintable(keyword));
        }
    }

    // The menu as the help book's contents page and the README tell it is the table of
    // calculators: the contents page lists every entry in menu order with the page it leads to,
    // and the README gives an example of every entry that opens a calculator.
    void theBookAndTheReadmeTellTheMenuAsItIs() {
        const auto plain = [](const QString& html) {
            return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
        };
        const auto caption = [](const char* text) {
            return plainCaption(QLatin1String(text)).simplified();
        };
        const auto read = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        const QDir book(QStringLiteral(MOTORECKON_HELP_SOURCE_DIR));
        const QString menu = read(book.filePath(QStringLiteral("index.html")))
                                 .section(QStringLiteral("id=\"formulas-menu\""), 1)
                                 .section(QStringLiteral("</table>"), 0, 0);
        static const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"),
                                            QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression cell(QStringLiteral("<td[^>]*>(.*?)</td>"),
                                             QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)\""));
        QStringList told;
        for (auto rows = row.globalMatch(menu); rows.hasNext();) {
            QStringList cells;
            for (auto c = cell.globalMatch(rows.next().captured(1)); c.hasNext();) {
                cells << c.next().captured(1);
            }
            if (cells.size() < 2) continue;
            const QString leadsTo = link.match(cells.last()).captured(1);
            told << plain(cells.at(cells.size() - 2)) + QStringLiteral(" -> ") + leadsTo +
                        (cells.last().contains(QStringLiteral("opens a new")) ? "+" : "");
        }
        QStringList entries;
        QStringList paths;
        for (const Calculator& c : calculators()) {
            entries << caption(c.caption) + QStringLiteral(" -> ") + QLatin1String(c.helpPage) +
                           (c.opening == Opening::Numbered ? "+" : "");
            if (c.opening == Opening::None) continue;
            paths << (c.submenu ? caption(c.submenu->caption) + QStringLiteral(" > ") : QString()) +
                         caption(c.caption);
        }
        QCOMPARE(told, entries);

        static const QRegularExpression example(QStringLiteral("^\\| Formulas > (.+?) \\|"),
                                                QRegularExpression::MultilineOption);
        QStringList readme;
        for (auto it = example.globalMatch(read(book.filePath(QStringLiteral("../README.md"))));
             it.hasNext();) {
            readme << it.next().captured(1).simplified();
        }
        readme.sort();
        paths.sort();
        QCOMPARE(readme, paths);
    }

    // Every message the help book quotes, and every result and tip it shows, is what the program
    // shows for the entries the page gives with it (data-open: the Formulas entry; data-entries:
    // what is typed into which box; data-region; data-result: the label shown; data-tip: the box
    // whose tip, also what a screen reader reads, is shown), so the book cannot tell of a message
    // the program no longer gives. Every box of every calculator has its tip in the book.
    void theBookQuotesWhatTheProgramShows() {
        static const QRegularExpression quoted(
            QStringLiteral("<(td|span) class=\"(message|shown)\"([^>]*)>(.*?)</\\1>"),
            QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression attribute(QStringLiteral("data-(\\w+)=\"([^\"]*)\""));
        int checked = 0;
        QSet<QString> tipped;
        const QDir book(QStringLiteral(MOTORECKON_HELP_SOURCE_DIR));
        for (const QString& page : book.entryList({QStringLiteral("*.html")})) {
            QFile file(book.filePath(page));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            for (auto it = quoted.globalMatch(html); it.hasNext();) {
                const QRegularExpressionMatch quote = it.next();
                QHash<QString, QString> data;
                for (auto a = attribute.globalMatch(quote.captured(3)); a.hasNext();) {
                    const QRegularExpressionMatch pair = a.next();
                    data[pair.captured(1)] = pair.captured(2);
                }
                const QString said =
                    QTextDocumentFragment::fromHtml(quote.captured(4)).toPlainText().simplified();
                QVERIFY2(data.contains(QStringLiteral("open")), qPrintable(page + ": " + said));
                QCOMPARE(shownFor(data), said);
                tipped << data["open"] + ' ' + data["tip"];
                ++checked;
            }
        }
        QVERIFY(checked > 20);
        for (const Calculator& row : calculators()) {
            if (row.opening == Opening::None) continue;
            for (QLineEdit* entry : calculatorForm(open(row.entry))->entryBoxes()) {
                QVERIFY(tipped.contains(QLatin1String(row.entry) + ' ' + entry->objectName()));
                QCOMPARE(entry->accessibleDescription(), entry->toolTip());
            }
        }
    }

  private:
    // What the program shows for the entries of a quote in the book: the message it ends with,
    // as the user reads it, or the result label named.
    QString shownFor(const QHash<QString, QString>& data) {
        stopFrame();
        startFrame();
        if (data.contains(QStringLiteral("region"))) QLocale::setDefault(QLocale(data["region"]));
        QWidget* form = open(data["open"].toLatin1().constData());
        if (data.contains(QStringLiteral("tip")))
            return box(form, data["tip"].toLatin1().constData())->toolTip();
        for (const QString& entry : data["entries"].split(
                 QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            const QStringList pair = entry.split(QLatin1Char('='));
            box(form, pair.first().toLatin1().constData())->setText(pair.last());
        }
        calculatorForm(form)->calculateButton()->click();
        if (data.contains(QStringLiteral("result"))) {
            return control<QLabel>(form, data["result"].toLatin1().constData())->text();
        }
        if (recorder->messages().isEmpty()) return {};
        QString text = recorder->messages().last().text;
        return text.remove(QChar(0x2068)).remove(QChar(0x2069));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
