#include "BrandRecord.h"
#include "ClosedHosts.h"
#include "DialogDriver.h"
#include "DocumentWindows.h"
#include "FakeSeams.h"
#include "MainWindow.h"
#include "SharedDialogs.h"
#include "StatdeskApplication.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace statdesk;
using statdesk::test::DialogDriver;

namespace {

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Playoff files store every byte of a line as 255 minus itself; the line ends stay plain.
QByteArray complemented(const QList<QByteArray>& lines) {
    QByteArray out;
    for (QByteArray line : lines) {
        for (char& byte : line)
            byte = static_cast<char>(255 - static_cast<unsigned char>(byte));
        out += line + "\r\n";
    }
    return out;
}

QStringList rows(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

template <typename Window> Window* activeChild(TForm1& main) {
    QMdiSubWindow* frame = main.mdiArea()->activeSubWindow();
    return frame ? qobject_cast<Window*>(frame->widget()) : nullptr;
}

// Picks an entry of the chooser and confirms, after checking what it offers.
DialogDriver::Step pick(const QString& caption, const QStringList& offered, const QString& entry) {
    return [=](QDialog& dialog) {
        auto& chooser = static_cast<TBtnRightDlg2&>(dialog);
        QCOMPARE(chooser.windowTitle(), caption);
        QCOMPARE(rows(chooser.ListBox1), offered);
        QCOMPARE(chooser.ListBox1->currentRow(), 0);
        chooser.ListBox1->setCurrentItem(chooser.ListBox1->findItems(entry, Qt::MatchExactly).value(0));
        chooser.OKBtn->click();
    };
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void entriesShowOnlyWithTheirFiles();
    void awardListLineForLine();
    void viewerReadsOtherLineEndsAndWindows1252_data();
    void viewerReadsOtherLineEndsAndWindows1252();
    void seasonSummaryThroughTheChooser();
    void playoffResultsDecoded();
    void missingFileLeavesTheViewerOpen();
    void helpTextOpenOnceAtATime();
    void severalTutorials();

  private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<test::RecordingPresenter> m_presenter;
    std::unique_ptr<TForm1> m_main;
    void openMain();
};

void TestDocuments::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    QVERIFY(QDir::setCurrent(m_folder->path()));
    brandRecord() = BrandRecord{};
    test::pointHostsAtClosedPort();
    m_presenter = std::make_unique<test::RecordingPresenter>();
}

void TestDocuments::openMain() {
    m_main = std::make_unique<TForm1>();
    createSharedDialogs(m_main.get());
    m_main->resize(1000, 800);
    m_main->show();
}

void TestDocuments::cleanup() {
    m_main.reset();
    m_presenter.reset();
    m_folder.reset();
}

void TestDocuments::entriesShowOnlyWithTheirFiles() {
    openMain();
    for (const char* name :
         {"Instructions1", "Vieworderform1", "PlayoffResults1", "Seasonsummaries1", "Awards1"})
        QVERIFY2(!m_main->action(name)->isVisible(), name);
    m_main.reset();

    writeFile(QStringLiteral("mvp.awd"), "MVP\r\n");
    writeFile(QStringLiteral("8990.SUM"), "1989-90\r\n");
    writeFile(QStringLiteral("INSTRUCT.TXT"), "How to\r\n");
    openMain();
    for (const char* name : {"Awards1", "LeagueMVPs1", "Seasonsummaries1", "Instructions1"})
        QVERIFY2(m_main->action(name)->isVisible(), name);
    for (const char* name : {"AllLeagueTeams1", "ChampionshipMVPs1", "PlayoffResults1", "Vieworderform1"})
        QVERIFY2(!m_main->action(name)->isVisible(), name);
}

void TestDocuments::awardListLineForLine() {
    writeFile(QStringLiteral("allpro.awd"),
              "ALL LEAGUE TEAMS\r\n\r\n1990  First   Magic Johnson  \r\nlast line");
    openMain();
    m_main->action("AllLeagueTeams1")->trigger();
    auto* viewer = activeChild<TForm20>(*m_main);
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("All League Teams"));
    QCOMPARE(rows(viewer->ListBox1),
             (QStringList{"ALL LEAGUE TEAMS", "", "1990  First   Magic Johnson  ", "last line"}));
    QCOMPARE(QFontInfo(viewer->ListBox1->font()).pixelSize(), 12);
    QVERIFY(QFontInfo(viewer->ListBox1->font()).fixedPitch());
    QCOMPARE(viewer->size(), QSize(437, 302)); // the frame does not shrink it to nothing
    QCOMPARE(viewer->ListBox1->width(), viewer->width() - 30);
    QVERIFY(m_presenter->errors.isEmpty());
}

void TestDocuments::viewerReadsOtherLineEndsAndWindows1252_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("lines");
    // Letters of the shipped files that Windows-1252 and Latin-1 code differently (0x8A, 0x9E) or
    // alike (0xE9, 0xF3), and none of them UTF-8.
    QTest::newRow("Windows-1252 letters")
        << QByteArray("MVP\r\n1989  Dra\x9E"
                      "en Petrovic\r\n1990  \x8A"
                      "arunas Marciulionis\r\n"
                      "2008  Jos\xE9 Calder\xF3n\r\n")
        << QStringList{"MVP", QStringLiteral("1989  Dražen Petrovic"),
                       QStringLiteral("1990  Šarunas Marciulionis"), QStringLiteral("2008  José Calderón")};
    QTest::newRow("lone LF line ends") << QByteArray("MVP\n\n1990  Magic Johnson  \nlast\n")
                                       << QStringList{"MVP", "", "1990  Magic Johnson  ", "last"};
}

void TestDocuments::viewerReadsOtherLineEndsAndWindows1252() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, lines);
    writeFile(QStringLiteral("mvp.awd"), file);
    openMain();
    m_main->action("LeagueMVPs1")->trigger();
    auto* viewer = activeChild<TForm20>(*m_main);
    QVERIFY(viewer);
    QCOMPARE(rows(viewer->ListBox1), lines);
    QVERIFY(m_presenter->errors.isEmpty());
}

void TestDocuments::seasonSummaryThroughTheChooser() {
    writeFile(QStringLiteral("8990.SUM"), "SEASON 1989-90\r\n");
    writeFile(QStringLiteral("7071.SUM"), "SEASON 1970-71\r\n");
    openMain();
    DialogDriver chooser(sharedDialogs().BtnRightDlg2);
    chooser.then(pick(QStringLiteral("Select Season"), {"7071", "8990"}, QStringLiteral("8990")));
    m_main->action("Seasonsummaries1")->trigger();
    QCOMPARE(chooser.shown(), 1);
    auto* viewer = activeChild<TForm20>(*m_main);
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Season Summary - 8990.sum"));
    QCOMPARE(rows(viewer->ListBox1), QStringList{"SEASON 1989-90"});

    // Cancel opens nothing.
    chooser.then([](QDialog& dialog) { static_cast<TBtnRightDlg2&>(dialog).CancelBtn->click(); });
    m_main->action("Seasonsummaries1")->trigger();
    QCOMPARE(chooser.shown(), 2);
    QCOMPARE(m_main->mdiArea()->subWindowList().size(), 1);
    QVERIFY(m_presenter->errors.isEmpty());
}

void TestDocuments::playoffResultsDecoded() {
    writeFile(QStringLiteral("8990NBA.PL1"), complemented({"1990 FINALS", "", "Detroit 4  Portland 1"}));
    writeFile(QStringLiteral("9091NBA.PL1"), complemented({"1991"}));
    writeFile(QStringLiteral("7071ABA.PL1"), complemented({"1971"}));
    openMain();
    DialogDriver chooser(sharedDialogs().BtnRightDlg2);
    chooser.then(pick(QStringLiteral("Select League"), {"ABA", "NBA"}, QStringLiteral("NBA")));
    chooser.then(pick(QStringLiteral("Select Year"), {"8990", "9091"}, QStringLiteral("8990")));
    m_main->action("PlayoffResults1")->trigger();
    QCOMPARE(chooser.shown(), 2);
    auto* viewer = activeChild<TForm20>(*m_main);
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Playoff Results - 8990NBA.pl1"));
    QCOMPARE(rows(viewer->ListBox1), (QStringList{"1990 FINALS", "", "Detroit 4  Portland 1"}));
}

void TestDocuments::missingFileLeavesTheViewerOpen() {
    writeFile(QStringLiteral("sixth.awd"), "SIXTH\r\n");
    openMain();
    QVERIFY(QFile::remove(QStringLiteral("sixth.awd")));
    m_main->action("N6thMan1")->trigger();
    QCOMPARE(m_presenter->errors, QStringList{"File not found"});
    auto* viewer = activeChild<TForm20>(*m_main);
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Sixth Man of the Year"));
    QCOMPARE(viewer->ListBox1->count(), 0);
}

void TestDocuments::helpTextOpenOnceAtATime() {
    openMain();
    QAction* players = m_main->action("Playersstatisticaldefinitions1");
    players->trigger();
    auto* help = activeChild<TForm4>(*m_main);
    QVERIFY(help);
    QCOMPARE(help->windowTitle(), QStringLiteral("Help - Stats Definitions - Basketball Players"));
    QCOMPARE(help->Memo1->toPlainText().section(QLatin1Char('\n'), 0, 1),
             QStringLiteral("BASKETBALL PLAYERS DATABASE STATISTICS DEFINITIONS:\n"));
    QVERIFY(help->Memo1->isReadOnly());
    QVERIFY(!players->isEnabled());
    m_main->action("Datasources1")->trigger(); // another text is not held up
    QVERIFY(!m_main->action("Datasources1")->isEnabled());
    QCOMPARE(m_main->mdiArea()->subWindowList().size(), 2);

    m_main->mdiArea()->subWindowList().first()->close();
    QTRY_VERIFY(players->isEnabled());
    players->trigger();
    QCOMPARE(m_main->mdiArea()->subWindowList().size(), 2);
}

void TestDocuments::severalTutorials() {
    openMain();
    m_main->action("Databasetidbits1")->trigger();
    m_main->action("Databasetidbits1")->trigger();
    const auto frames = m_main->mdiArea()->subWindowList();
    QCOMPARE(frames.size(), 2);
    auto* tutorial = qobject_cast<TForm16*>(frames.last()->widget());
    QVERIFY(tutorial);
    QVERIFY(frames.last()->isMaximized());
    QCOMPARE(tutorial->windowTitle(), QStringLiteral("Database Instructions/Tutorial"));
    QCOMPARE(tutorial->RichEdit1->textCursor().position(), 0);
    QVERIFY(tutorial->RichEdit1->toPlainText().contains(QStringLiteral("PRINTING:")));
}

int main(int argc, char** argv) {
    StatdeskApplication app(argc, argv);
    TestDocuments test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_documents.moc"
