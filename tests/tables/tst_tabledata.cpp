#include "ChartWindow.h"
#include "DrawGrid.h"
#include "FakeSeams.h"
#include "ResultFixture.h"
#include "ServiceProcess.h"
#include "TFormSort3.h"
#include "TableDataCommands.h"
#include "TableWindow.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPrinter>
#include <QScatterSeries>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace statdesk;
using namespace statdesk::test;

namespace {

constexpr int kCopyRows = 300;
constexpr int kChartFillers = 5001;
constexpr int kAverageField = 28;
constexpr int kPointsField = 45;
constexpr int kStealsField = 25;
const char* const kCareer = "Career, Mo";
constexpr long long kFirstCareerKey = 100001;

// A career of fifteen seasons from 1984-85 with a break in 1993-94 and one from 1998-99 to
// 2000-01, and a second player of two seasons; their points per game are the test's own numbers.
const std::vector<int> kCareerSeasons = {1984, 1985, 1986, 1987, 1988, 1989, 1990, 1991,
                                         1992, 1994, 1995, 1996, 1997, 2001, 2002};
double careerAverage(int season) {
    return 20 + season % 9 + (season % 4) / 10.0;
}

FixtureRow careerRow(long long key, const std::string& name, int season, double average) {
    FixtureRow row = generatedPlayer(static_cast<int>(key % 1000));
    row.key = key;
    row.seasonStart = season;
    row.texts[0] = name;
    char year[8];
    std::snprintf(year, sizeof year, "%02d%02d", season % 100, (season + 1) % 100);
    row.texts[4] = year;
    row.numbers[kAverageField] = average;
    return row;
}

QString clipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? data->text() : QString();
}

QString clipboardCsv() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? QString::fromUtf8(data->data(QStringLiteral("text/csv"))) : QString();
}

// A cell of the players grid as the test expects to read it from the copy.
QString shownInt(double value) {
    return value == -999 ? QStringLiteral("---") : QString::number(static_cast<long long>(value));
}
QString shownReal(double value) {
    return value == -999 ? QStringLiteral("---") : QString::number(value, 'f', 1);
}

} // namespace

class TestTableData : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void copiesSelectedRowsAsTheGridShowsThem();
    void copyReadsRowsOfTheCurrentOrderOnly();
    void exportsTheWholeResultThroughTheWindow();
    void chartsACareerAsLinesBrokenAtGaps();
    void chartsManyPlayersAsAScatter();
    void refusesMoreThan5000Rows();
    void chartSavesAndPrints();

  private:
    TableWindow* open(const QString& database);
    void checkCopiedRows(const QString& text, const QString& separator, const QString& lineEnd,
                         const std::vector<int>& players, bool withFieldGoals);
    ChartWindow* chartOf(const QString& criterion, int column);
    void writeChartDatabase(const QString& path);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<ServiceProcess> m_service;
    std::unique_ptr<RecordingPresenter> m_presenter;
    std::unique_ptr<ScriptedFileChooser> m_chooser;
    std::unique_ptr<FixedClock> m_clock;
    std::unique_ptr<QMdiArea> m_area;
    std::unique_ptr<TFormSort3> m_sort;
    TableWindow* m_window = nullptr;
};

void TestTableData::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    m_presenter = std::make_unique<RecordingPresenter>();
    m_chooser = std::make_unique<ScriptedFileChooser>();
    m_clock = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 11), QTime(10, 0)));
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1024, 700);
    m_area->show();
    m_sort = std::make_unique<TFormSort3>();
}

void TestTableData::cleanup() {
    m_area.reset();
    m_window = nullptr;
    m_sort.reset();
    m_clock.reset();
    m_chooser.reset();
    m_presenter.reset();
    m_service.reset();
    qunsetenv("STATDESK_HOSTS");
    qunsetenv("STATDESK_SITE");
}

TableWindow* TestTableData::open(const QString& database) {
    m_service = std::make_unique<ServiceProcess>(database);
    if (!m_service->isRunning())
        return nullptr;
    m_service->pointClientHere();
    TableWindowSetup setup;
    setup.kind = DatasetKind::PlayersRegular;
    setup.brandHome = QStringLiteral("www.brand.example");
    setup.usageEvents = m_sort.get();
    m_window = openTableWindow(m_area.get(), setup);
    return m_window;
}

// Checks a copy of the generated players (by their row numbers) against the test's own formatting.
void TestTableData::checkCopiedRows(const QString& text, const QString& separator, const QString& lineEnd,
                                    const std::vector<int>& players, bool withFieldGoals) {
    bool wellFormed = false;
    const QList<QStringList> lines = readDelimited(text, separator[0], lineEnd, &wellFormed);
    QVERIFY(wellFormed);
    QCOMPARE(lines.size(), static_cast<qsizetype>(players.size()) + 1);
    const QStringList& titles = lines[0];
    QCOMPARE(titles.size(), withFieldGoals ? 76 : 75);
    const int fgp = titles.indexOf(QStringLiteral("FG%"));
    QCOMPARE(fgp >= 0, withFieldGoals);
    const int pts = titles.indexOf(QStringLiteral("PTS"));
    const int avg = titles.indexOf(QStringLiteral("AVG"));
    const int st = titles.indexOf(QStringLiteral("ST"));
    QCOMPARE(titles.mid(0, 7),
             (QStringList{"PLAYER NAME", "YEAR", "TEAM CODE", "TEAM NAME", "LGE", "HT", "G"}));
    QVERIFY(pts > 0 && avg == pts + 1 && st > 0);
    for (size_t i = 0; i < players.size(); ++i) {
        const FixtureRow row = generatedPlayer(players[i]);
        const QStringList& cells = lines[qsizetype(i) + 1];
        QCOMPARE(cells.size(), titles.size());
        const QString height =
            row.texts[kHeightField] == "-999" ? QStringLiteral("---") : fromCodePage(row.texts[kHeightField]);
        QCOMPARE(cells.mid(0, 7),
                 (QStringList{fromCodePage(row.texts[0]), fromCodePage(row.texts[4]),
                              fromCodePage(row.texts[2]), fromCodePage(row.texts[3]),
                              fromCodePage(row.texts[1]), height, shownInt(row.numbers[kGamesField])}));
        QCOMPARE(cells[pts], shownInt(row.numbers[kPointsField]));
        QCOMPARE(cells[avg], shownReal(row.numbers[kAverageField]));
        QCOMPARE(cells[st], shownInt(row.numbers[kStealsField]));
    }
}

void TestTableData::copiesSelectedRowsAsTheGridShowsThem() {
    const QString db = m_folder->filePath(QStringLiteral("copy.db"));
    writeGeneratedDatabase(db, kCopyRows);
    TableWindow* window = open(db);
    QVERIFY2(window, qPrintable(m_service->errorString()));
    // Games ascending: grid row g shows generated player g - 2.
    window->requestState().SortCodes = {106};
    window->Refetch();
    DrawGrid* grid = window->DrawGrid1();
    const int page = window->LastPageSize();
    QVERIFY(page > 5 && page < 60);

    // Without a selection, the current row.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(4, 5).center());
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    checkCopiedRows(clipboardText(), "\t", "\n", {3}, true);

    // From the next to last row of the page over its end: Shift+Page Down scrolls one page on.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->cellRect(4, 2 + page - 2).center());
    QTest::keyClick(grid, Qt::Key_PageDown, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    window->hideColumn(10);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    std::vector<int> players;
    for (int i = page - 2; i <= 2 * page - 1; ++i)
        players.push_back(i);
    checkCopiedRows(clipboardText(), "\t", "\n", players, false);
    checkCopiedRows(clipboardCsv(), ",", "\r\n", players, false);

    // The whole result, most of it never paged to.
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(grid->firstSelectedRow(), 2);
    QCOMPARE(grid->lastSelectedRow(), kCopyRows + 1);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    players.clear();
    for (int i = 0; i < kCopyRows; ++i)
        players.push_back(i);
    checkCopiedRows(clipboardCsv(), ",", "\r\n", players, false);
    QVERIFY(m_presenter->errors.isEmpty());
    QVERIFY(m_presenter->messages.isEmpty());
}

// Rows cached under another order are not copied: the copy reads them again.
void TestTableData::copyReadsRowsOfTheCurrentOrderOnly() {
    const QString db = m_folder->filePath(QStringLiteral("copy.db"));
    writeGeneratedDatabase(db, kCopyRows);
    TableWindow* window = open(db);
    QVERIFY2(window, qPrintable(m_service->errorString()));
    DrawGrid* grid = window->DrawGrid1();
    window->requestState().SortCodes = {106};
    window->Refetch();
    grid->setTopRow(40);
    grid->setTopRow(2);
    // Games descending: only the first page is read again.
    window->requestState().SortCodes = {6};
    window->Refetch();
    grid->selectRows(2, 60);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    std::vector<int> players;
    for (int i = 0; i <= 58; ++i)
        players.push_back(kCopyRows - 1 - i);
    checkCopiedRows(clipboardCsv(), ",", "\r\n", players, true);
}

void TestTableData::exportsTheWholeResultThroughTheWindow() {
    const QString db = m_folder->filePath(QStringLiteral("copy.db"));
    writeGeneratedDatabase(db, kCopyRows);
    TableWindow* window = open(db);
    QVERIFY2(window, qPrintable(m_service->errorString()));
    window->requestState().SortCodes = {6};
    window->appendCriteriaGroup({QStringLiteral("E6!0!249!")});
    window->Refetch();
    const QString path = m_folder->filePath(QStringLiteral("chosen.csv"));
    m_chooser->next = QStringList{path};
    QAction* exportCsv = window->DrawGrid1()->findChild<QAction*>(QStringLiteral("ExportCsv"));
    QVERIFY(exportCsv);
    exportCsv->trigger();
    QCOMPARE(m_chooser->calls, QStringList{"save|CSV files (*.csv)|csv|players-regular-2026-12-11.csv"});
    QVERIFY(m_presenter->messages.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    bool wellFormed = false;
    const QList<QStringList> records = readDelimited(QString::fromUtf8(file.readAll()), QLatin1Char(','),
                                                     QStringLiteral("\r\n"), &wellFormed);
    QVERIFY(wellFormed);
    // The window's criteria (games up to 249) and order (games descending).
    QCOMPARE(records.size(), 249 + 1);
    for (int r = 1; r < records.size(); ++r)
        QCOMPARE(records[r][6], QString::number(250 - r));
    QVERIFY(!window->isBusy());
}

void TestTableData::writeChartDatabase(const QString& path) {
    std::vector<FixtureTable> tables = generatedTables(kChartFillers);
    long long key = kFirstCareerKey - 1;
    for (int season : kCareerSeasons)
        tables[0].rows.push_back(careerRow(++key, kCareer, season, careerAverage(season)));
    tables[0].rows.push_back(careerRow(++key, "Other, Jo", 1990, 11.5));
    tables[0].rows.push_back(careerRow(++key, "Other, Jo", 1991, -999));
    writeFixtureDatabase(path, tables);
}

ChartWindow* TestTableData::chartOf(const QString& criterion, int column) {
    m_window->appendCriteriaGroup({criterion, QStringLiteral("*")});
    m_window->Refetch();
    auto* commands = m_window->findChild<TableDataCommands*>();
    return commands ? commands->chartColumn(column) : nullptr;
}

void TestTableData::chartsACareerAsLinesBrokenAtGaps() {
    const QString db = m_folder->filePath(QStringLiteral("chart.db"));
    writeChartDatabase(db);
    QVERIFY2(open(db), qPrintable(m_service->errorString()));
    ChartWindow* chart = chartOf(QStringLiteral("A") + kCareer, 29);
    QVERIFY(chart);
    QVERIFY(m_presenter->messages.isEmpty());
    QCOMPARE(chart->column(), 29);
    QVERIFY(chart->parentWidget() && qobject_cast<QMdiSubWindow*>(chart->parentWidget()));
    QVERIFY(chart->windowTitle().startsWith(QStringLiteral("Chart: AVG")));

    QList<QPointF> points;
    int pieces = 0;
    int legendEntries = 0;
    for (QAbstractSeries* series : chart->chart()->series()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        QVERIFY(line);
        QCOMPARE(line->name(), QString::fromLatin1(kCareer));
        points += line->points();
        ++pieces;
        for (QLegendMarker* marker : chart->chart()->legend()->markers(series))
            legendEntries += marker->isVisible() ? 1 : 0;
    }
    QCOMPARE(pieces, 3); // 1984-85 to 1992-93, 1994-95 to 1997-98, 2001-02 to 2002-03
    QCOMPARE(legendEntries, 1);
    QVERIFY(chart->chart()->legend()->isVisible());
    QCOMPARE(points.size(), static_cast<qsizetype>(kCareerSeasons.size()));
    for (size_t i = 0; i < kCareerSeasons.size(); ++i) {
        QCOMPARE(points[qsizetype(i)].x(), double(kCareerSeasons[i]));
        QCOMPARE(points[qsizetype(i)].y(), careerAverage(kCareerSeasons[i]));
    }
    // The pointer a few pixels off the 1986-87 point shows it; far from every point, nothing.
    auto* first = qobject_cast<QXYSeries*>(chart->chart()->series().first());
    const QPointF drawn = chart->chart()->mapToPosition(QPointF(1986, careerAverage(1986)), first);
    const QPoint atPoint = chart->view()->mapFromScene(chart->chart()->mapToScene(drawn));
    QCOMPARE(chart->textAt(atPoint + QPoint(3, -2)),
             QStringLiteral("Career, Mo\n1986-87\nAVG: %1").arg(careerAverage(1986), 0, 'f', 1));
    QCOMPARE(chart->textAt(atPoint + QPoint(0, 60)), QString());

    // Another column of the same rows: points scored, fetched once; a season without them is a gap.
    chart->setColumn(28);
    points.clear();
    for (QAbstractSeries* series : chart->chart()->series())
        points += qobject_cast<QXYSeries*>(series)->points();
    QList<QPointF> expected;
    for (size_t i = 0; i < kCareerSeasons.size(); ++i) {
        const double scored = careerRow(kFirstCareerKey + long(i), kCareer, 0, 0).numbers[kPointsField];
        if (scored != -999)
            expected.append(QPointF(kCareerSeasons[i], scored));
    }
    QVERIFY(expected.size() < static_cast<qsizetype>(kCareerSeasons.size()));
    QCOMPARE(points, expected);
}

void TestTableData::chartsManyPlayersAsAScatter() {
    const QString db = m_folder->filePath(QStringLiteral("chart.db"));
    writeChartDatabase(db);
    QVERIFY2(open(db), qPrintable(m_service->errorString()));
    // Season 1950-51: every 60th generated row.
    ChartWindow* chart = chartOf(QStringLiteral("C5051"), 25);
    QVERIFY(chart);
    QCOMPARE(chart->chart()->series().size(), 1);
    auto* scatter = qobject_cast<QScatterSeries*>(chart->chart()->series().first());
    QVERIFY(scatter);
    QVERIFY(!chart->chart()->legend()->isVisible());
    QList<double> expected;
    for (int i = 0; i < kChartFillers; i += 60)
        if (generatedPlayer(i).numbers[kStealsField] != -999)
            expected.append(generatedPlayer(i).numbers[kStealsField]);
    QVERIFY(expected.size() > 12);
    QList<double> got;
    for (const QPointF& point : scatter->points()) {
        QCOMPARE(point.x(), 1950.0);
        got.append(point.y());
    }
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    QCOMPARE(got, expected);
}

void TestTableData::refusesMoreThan5000Rows() {
    const QString db = m_folder->filePath(QStringLiteral("chart.db"));
    writeChartDatabase(db);
    QVERIFY2(open(db), qPrintable(m_service->errorString()));
    const int total = kChartFillers + static_cast<int>(kCareerSeasons.size()) + 2;
    QCOMPARE(m_window->rows().reportedTotalRows(), total);
    auto* commands = m_window->findChild<TableDataCommands*>();
    QVERIFY(commands);
    QVERIFY(!commands->chartColumn(29));
    QCOMPARE(
        m_presenter->messages,
        QStringList{QStringLiteral("Chart column|This result has %1 rows and a chart shows at most 5000. "
                                   "Narrow the selection with Select or Limit, then chart it again.")
                        .arg(total)});
    QCOMPARE(m_area->subWindowList().size(), 1);
}

void TestTableData::chartSavesAndPrints() {
    const QString db = m_folder->filePath(QStringLiteral("chart.db"));
    writeChartDatabase(db);
    QVERIFY2(open(db), qPrintable(m_service->errorString()));
    ChartWindow* chart = chartOf(QStringLiteral("A") + kCareer, 29);
    QVERIFY(chart);
    const QString png = m_folder->filePath(QStringLiteral("chart.png"));
    const QString svg = m_folder->filePath(QStringLiteral("chart.svg"));
    QCOMPARE(chart->saveTo(png), QString());
    QCOMPARE(chart->saveTo(svg), QString());
    const QImage image(png);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() > 200 && image.height() > 150);
    QSvgRenderer drawing(svg);
    QVERIFY(drawing.isValid());
    QVERIFY(drawing.defaultSize().width() > 200);
    const QString nowhere = m_folder->filePath(QStringLiteral("missing/chart.png"));
    QVERIFY(chart->saveTo(nowhere).startsWith(QStringLiteral("Cannot write ") + nowhere));

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = m_folder->filePath(QStringLiteral("chart.pdf"));
    printer.setOutputFileName(pdf);
    chart->printOn(printer);
    QFile printed(pdf);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.read(5) == "%PDF-");
}

QTEST_MAIN(TestTableData)
#include "tst_tabledata.moc"
