#include "BrandRecord.h"
#include "CupsPdfQueue.h"
#include "DialogDriver.h"
#include "DrawGrid.h"
#include "FakeSeams.h"
#include "MainWindow.h"
#include "PreviewWindow.h"
#include "PrintOptionsDialog.h"
#include "ReportPrinter.h"
#include "ServiceProcess.h"
#include "SharedDialogs.h"
#include "StatdeskApplication.h"
#include "TableWindow.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace statdesk;
using statdesk::test::CupsPdfQueue;
using statdesk::test::DialogDriver;

namespace {

constexpr int kPlayerName = 0; // reply fields of a player row
constexpr int kPoints = 45;

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Characters a report prints as images: letters, digits and five marks.
int glyphCount(const QString& text) {
    int count = 0;
    for (QChar c : text)
        if (c.isLetterOrNumber() || QStringLiteral(",-\".'").contains(c))
            ++count;
    return count;
}

// Right edge of the ink below the ruler: one past the rightmost dark pixel, 0 for none.
int inkRight(const QImage& image) {
    int right = 0;
    for (int y = 40; y < image.height(); ++y)
        for (int x = right; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                right = x + 1;
    return right;
}

// Moves the named columns to the print list, in this order.
void chooseColumns(TDualListDlg& dialog, const QStringList& names) {
    for (const QString& name : names) {
        const QList<QTableWidgetItem*> found = dialog.StringGrid1->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        dialog.StringGrid1->setCurrentCell(found.first()->row(), 0);
        dialog.IncludeBtn->click();
    }
}

} // namespace

// The report of a table window printed on a real CUPS queue and previewed, with the real data.
class TestPrintReport : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanupTestCase();
    void playerReportPrintsThroughCups();
    void previewAndErrorsLeadBackToTheDialog();
    void secondPreviewShowsOnlyItsOwnReport();
    void tooManyColumnsPrintsNothing();

  private:
    QTemporaryDir m_folder;
    std::unique_ptr<test::ServiceProcess> m_service;
};

void TestPrintReport::initTestCase() {
    m_service = std::make_unique<test::ServiceProcess>(test::ServiceProcess::builtDatabase());
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_service->pointClientHere();
    QVERIFY(m_folder.isValid());
    QDir::setCurrent(m_folder.path());
    brandRecord() = BrandRecord{};
}

void TestPrintReport::cleanupTestCase() {
    m_service.reset();
}

void TestPrintReport::playerReportPrintsThroughCups() {
    STATDESK_SKIP_WITHOUT_CUPS_PDF();
    CupsPdfQueue queue;
    QVERIFY2(queue.isReady(), qPrintable(queue.errorString()));
    QPrinter& printer = reportPrinter();
    printer.setPrinterName(queue.name());
    QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);

    test::RecordingPresenter presenter;
    TForm1 main;
    createSharedDialogs(&main);
    main.resize(1280, 1000);
    main.show();
    main.action("Regular1")->trigger();
    auto* window = qobject_cast<TableWindow*>(main.mdiArea()->activeSubWindow()->widget());
    QVERIFY(window);
    QCOMPARE(window->DrawGrid1()->topRow(), 2);
    const int visible = window->LastPageSize();
    QVERIFY(visible > 20);

    TDualListDlg& dialog = *sharedDialogs().DualListDlg;
    DialogDriver driver(&dialog);
    driver.then([&](QDialog&) {
        chooseColumns(dialog, {QStringLiteral("player name"), QStringLiteral("PTS     - points scored")});
        dialog.MinimumEdit->selectAll();
        QTest::keyClicks(dialog.MinimumEdit, QStringLiteral("20"));
        dialog.OKBtn->click();
    });
    const QDateTime submitted = QDateTime::currentDateTime();
    main.action("Print1")->trigger();
    QCOMPARE(driver.shown(), 1);
    QVERIFY2(presenter.errors.isEmpty() && presenter.messages.isEmpty(),
             qPrintable(presenter.errors.join('\n') + presenter.messages.join('\n')));
    const QString pdf = queue.waitForPdf(submitted, 60000);
    QVERIFY2(!pdf.isEmpty(), qPrintable(queue.errorString()));
    // The job list that tells "nothing printed" below sees a printed job.
    const std::optional<QStringList> jobs = queue.jobs();
    QVERIFY2(jobs, qPrintable(queue.errorString()));
    QCOMPARE(jobs->size(), 1);

    // What should come out, worked out here from the window's rows and the printer's page: a line
    // of 33 + 8 characters, rows 1 to V - 1, a new page once a row's top passes the page height less
    // 100, or before a row that would end below the page; every character with a glyph on paper.
    const int characters = 41;
    const int q = printer.width() * 98 / 100;
    const int cell = (q - 13) / (characters + 1);
    const int cellHeight = cell * 90 / 65;
    int expectedGlyphs = glyphCount(QStringLiteral("PLAYER NAME")) + glyphCount(QStringLiteral("PTS"));
    int pages = 1;
    int y = 12 + cellHeight;
    for (int record = 1; record <= visible - 1; ++record) {
        const std::string_view name = window->rows().text(record, kPlayerName);
        expectedGlyphs += glyphCount(QString::fromLatin1(name.data(), qsizetype(name.size())).left(33));
        const auto points = static_cast<long long>(window->rows().number(record, kPoints));
        expectedGlyphs += glyphCount(points == -999 ? QStringLiteral("---") : QString::number(points));
        y += cellHeight;
        if (y + cellHeight >= printer.height()) {
            ++pages;
            y = 12 + cellHeight;
        }
        if (y > printer.height() - 100) {
            ++pages;
            y = 12;
        }
    }
    QVERIFY2(pages >= 2, "the rows should need more than one page");
    expectedGlyphs += glyphCount(QStringLiteral("TOTALS")) +
                      glyphCount(QString::number(
                          static_cast<long long>(window->rows().number(RowCache::TotalsRecord, kPoints))));

    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("^Pages:\\s+%1$").arg(pages),
                                              QRegularExpression::MultilineOption)),
             qPrintable(info));
    const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                   .mid(2);
    QCOMPARE(images.size(), expectedGlyphs);
}

// A team report previewed: the dialog comes back after the preview and after each message, with
// its choices as they were.
void TestPrintReport::previewAndErrorsLeadBackToTheDialog() {
    test::RecordingPresenter presenter;
    TForm1 main;
    createSharedDialogs(&main);
    main.resize(1280, 1000);
    main.show();
    main.action("Regular2")->trigger();
    auto* window = qobject_cast<TableWindow*>(main.mdiArea()->activeSubWindow()->widget());
    QVERIFY(window);
    const std::string_view firstTeam = window->rows().text(1, 1);
    QVERIFY(!firstTeam.empty());

    TDualListDlg& dialog = *sharedDialogs().DualListDlg;
    TForm15& preview = *sharedDialogs().Form15;
    DialogDriver options(&dialog);
    DialogDriver previewDriver(&preview);
    options.then([&](QDialog&) { dialog.PreviewBtn->click(); }); // nothing chosen yet
    options.then([&](QDialog&) {
        QCOMPARE(presenter.messages, QStringList{"Error|You haven't selected any columns to print"});
        chooseColumns(dialog, {QStringLiteral("team name"), QStringLiteral("W-L%    - won/lost percentage")});
        dialog.RadioButton4->click(); // don't fit: 33 + 7 in a maximum of 80
        dialog.PreviewBtn->click();
    });
    QImage shown;
    preview.ScrollBox1->horizontalScrollBar()->setValue(500); // left there by an earlier preview
    previewDriver.then([&](QDialog&) {
        QCOMPARE(preview.ScrollBox1->horizontalScrollBar()->value(), 0);
        shown = preview.image();
        preview.Button1->click();
    });
    options.then([&](QDialog&) {
        QCOMPARE(dialog.options().PrintList,
                 (QStringList{"team name", "W-L%    - won/lost percentage"})); // unchanged
        dialog.MaximumEdit->selectAll();
        QTest::keyClicks(dialog.MaximumEdit, QStringLiteral("39"));
        dialog.PreviewBtn->click();
    });
    options.then([&](QDialog&) {
        QCOMPARE(presenter.messages.size(), 2);
        QCOMPARE(
            presenter.messages.last(),
            QStringLiteral("Error|You have selected more than columns that can fit on a page.  De-select "
                           "some columns or select \"Fit to Page\"."));
        dialog.CancelBtn->click();
    });
    main.action("Print1")->trigger();
    QCOMPARE(options.shown(), 4);
    QCOMPARE(previewDriver.shown(), 1);
    QVERIFY(presenter.errors.isEmpty());
    // The preview shows text: dark pixels below the ruler, none far right of the two columns.
    QVERIFY(!shown.isNull());
    int dark = 0;
    int farRight = 0;
    for (int y = 40; y < 400; ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (qGray(shown.pixel(x, y)) < 128)
                ++(x < 1000 ? dark : farRight);
    QVERIFY(dark > 500);
    QCOMPARE(farRight, 0);
}

// A wide report previewed, then a narrow one: the second preview starts from a blank page.
void TestPrintReport::secondPreviewShowsOnlyItsOwnReport() {
    test::RecordingPresenter presenter;
    TForm1 main;
    createSharedDialogs(&main);
    main.show();
    main.action("Regular2")->trigger();
    TDualListDlg& dialog = *sharedDialogs().DualListDlg;
    TForm15& preview = *sharedDialogs().Form15;
    DialogDriver options(&dialog);
    DialogDriver previewDriver(&preview);
    QList<QImage> shown;
    const auto keepAndClose = [&](QDialog&) {
        shown << preview.image();
        preview.Button1->click();
    };
    options.then([&](QDialog&) {
        chooseColumns(dialog, {QStringLiteral("team name"), QStringLiteral("W-L%    - won/lost percentage")});
        dialog.RadioButton4->click(); // 33 + 7 characters, not fitted to the page
        dialog.PreviewBtn->click();
    });
    previewDriver.then(keepAndClose);
    options.then([&](QDialog&) {
        dialog.ExAllBtn->click();
        chooseColumns(dialog, {QStringLiteral("W-L%    - won/lost percentage")});
        dialog.PreviewBtn->click();
    });
    previewDriver.then(keepAndClose);
    options.then([&](QDialog&) { dialog.CancelBtn->click(); });
    main.action("Print1")->trigger();
    QCOMPARE(options.shown(), 3);
    QCOMPARE(previewDriver.shown(), 2);
    QVERIFY2(presenter.errors.isEmpty() && presenter.messages.isEmpty(),
             qPrintable(presenter.errors.join('\n') + presenter.messages.join('\n')));
    QCOMPARE(shown.size(), 2);
    const int wide = inkRight(shown[0]);
    const int narrow = inkRight(shown[1]);
    // 7 characters of 40: the second report ends well left of where the first one did.
    QVERIFY2(narrow > 0 && narrow * 2 < wide, qPrintable(QStringLiteral("%1 and %2").arg(wide).arg(narrow)));
}

// Don't fit with 41 characters in a maximum of 40: the message, and the started job comes to nothing.
void TestPrintReport::tooManyColumnsPrintsNothing() {
    STATDESK_SKIP_WITHOUT_CUPS_PDF();
    CupsPdfQueue queue;
    QVERIFY2(queue.isReady(), qPrintable(queue.errorString()));
    reportPrinter().setPrinterName(queue.name());
    test::RecordingPresenter presenter;
    TForm1 main;
    createSharedDialogs(&main);
    main.show();
    main.action("Playoff1")->trigger();
    TDualListDlg& dialog = *sharedDialogs().DualListDlg;
    DialogDriver options(&dialog);
    options.then([&](QDialog&) {
        chooseColumns(dialog, {QStringLiteral("player name"), QStringLiteral("PTS     - points scored")});
        dialog.RadioButton4->click();
        dialog.MaximumEdit->selectAll();
        QTest::keyClicks(dialog.MaximumEdit, QStringLiteral("40"));
        dialog.OKBtn->click();
    });
    options.then([&](QDialog&) { dialog.CancelBtn->click(); });
    main.action("Print1")->trigger();
    QCOMPARE(options.shown(), 2);
    QCOMPARE(presenter.messages.size(), 1);
    QVERIFY(
        presenter.messages.first().startsWith(QStringLiteral("Error|You have selected more than columns")));
    // A job is handed to CUPS when the report ends, so any would be listed by now, done or not.
    const std::optional<QStringList> jobs = queue.jobs();
    QVERIFY2(jobs, qPrintable(queue.errorString()));
    QVERIFY2(jobs->isEmpty(), qPrintable(jobs->join(QLatin1Char('\n'))));
}

int main(int argc, char** argv) {
    StatdeskApplication app(argc, argv);
    TestPrintReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printreport.moc"
