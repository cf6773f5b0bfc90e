#include "CsvWriter.h"
#include "DatasetKind.h"
#include "HostileServer.h"
#include "NotRecorded.h"
#include "PrintColumns.h"
#include "ResultCsv.h"
#include "ResultFixture.h"
#include "ResultReader.h"
#include "ServiceProcess.h"
#include "StatsQueryClient.h"
#include "THttpCli.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

#include <sys/resource.h>

using namespace statdesk;
using namespace statdesk::test;

namespace {

constexpr int kRows = 300;

// Grid column -> reply field of a player row, from the column table: year and league trade places,
// points come before the average, and the average's field pushes the ratings one column on.
int fieldOfPlayerColumn(int column) {
    if (column == 1)
        return 4;
    if (column == 4)
        return 1;
    if (column == 28)
        return 45;
    if (column >= 29 && column <= 45)
        return column - 1;
    return column;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// An earlier file at the export's path, which a cancelled or failed export must leave as it was.
bool writeOldFile(const QString& path) {
    QFile old(path);
    return old.open(QIODevice::WriteOnly) && old.write("old,content\r\n") == 13;
}

} // namespace

class TestCsvExport : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void writerQuotesWhatNeedsIt_data();
    void writerQuotesWhatNeedsIt();
    void notRecordedAsTheGridShowsIt_data();
    void notRecordedAsTheGridShowsIt();
    void fileNameNamesDatasetAndDay_data();
    void fileNameNamesDatasetAndDay();
    void exportsEveryRowFieldForField_data();
    void exportsEveryRowFieldForField();
    void cancelLeavesNoFileAndKeepsTheOldOne_data();
    void cancelLeavesNoFileAndKeepsTheOldOne();
    void failingHostFailsTheExportAndKeepsTheOldFile();
    void cutReplyFailsTheExportAndKeepsTheOldFile();
    void fullDiskFailsTheExportAndKeepsTheOldFile();

  private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<ServiceProcess> m_service;
};

void TestCsvExport::initTestCase() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    const QString db = m_folder->filePath(QStringLiteral("generated.db"));
    writeGeneratedDatabase(db, kRows);
    m_service = std::make_unique<ServiceProcess>(db);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

void TestCsvExport::cleanupTestCase() {
    m_service.reset();
    qunsetenv("STATDESK_HOSTS");
    qunsetenv("STATDESK_SITE");
}

void TestCsvExport::writerQuotesWhatNeedsIt_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("lineEnd");
    QTest::addColumn<QByteArray>("bytes");
    const QString csv = QStringLiteral(",");
    const QString crlf = QStringLiteral("\r\n");
    QTest::newRow("plain") << QStringList{"a", "b c"} << csv << crlf << QByteArray("a,b c\r\n");
    QTest::newRow("comma") << QStringList{"x,y", "z"} << csv << crlf << QByteArray("\"x,y\",z\r\n");
    QTest::newRow("quotes doubled") << QStringList{"say \"hi\""} << csv << crlf
                                    << QByteArray("\"say \"\"hi\"\"\"\r\n");
    QTest::newRow("CR LF inside") << QStringList{"one\r\ntwo", "z"} << csv << crlf
                                  << QByteArray("\"one\r\ntwo\",z\r\n");
    QTest::newRow("lone LF and lone CR")
        << QStringList{"a\nb", "c\rd"} << csv << crlf << QByteArray("\"a\nb\",\"c\rd\"\r\n");
    QTest::newRow("accents in UTF-8")
        << QStringList{QStringLiteral("Jos\u00e9 \u0160ar\u016bnas")} << csv << crlf
        << QByteArray("Jos\xc3\xa9 \xc5\xa0"
                      "ar\xc5\xabnas\r\n");
    QTest::newRow("empty fields") << QStringList{"", "", "x", ""} << csv << crlf << QByteArray(",,x,\r\n");
    QTest::newRow("blanks kept unquoted")
        << QStringList{" lead", "trail "} << csv << crlf << QByteArray(" lead,trail \r\n");
    QTest::newRow("tab is plain in CSV") << QStringList{"a\tb"} << csv << crlf << QByteArray("a\tb\r\n");
    QTest::newRow("tab quoted in tab text")
        << QStringList{"a\tb", "c,d", "e\"f"} << QStringLiteral("\t") << QStringLiteral("\n")
        << QByteArray("\"a\tb\"\tc,d\t\"e\"\"f\"\n");
}

void TestCsvExport::writerQuotesWhatNeedsIt() {
    QFETCH(QStringList, fields);
    QFETCH(QString, separator);
    QFETCH(QString, lineEnd);
    QFETCH(QByteArray, bytes);
    const QByteArray end = lineEnd.toLatin1();
    CsvWriter writer(separator.toLatin1().at(0), std::string_view(end.constData(), size_t(end.size())));
    for (int round = 0; round < 2; ++round) {
        for (const QString& field : fields)
            writer.addField(field);
        writer.endRow();
    }
    const QByteArray written(writer.bytes().data(), qsizetype(writer.size()));
    QCOMPARE(written, bytes + bytes);
    writer.clear();
    QCOMPARE(writer.size(), size_t(0));
    for (const QString& field : fields)
        writer.addField(field);
    writer.endRow();
    QCOMPARE(QByteArray(writer.bytes().data(), qsizetype(writer.size())), bytes);
    bool wellFormed = false;
    const QList<QStringList> records =
        readDelimited(QString::fromUtf8(written), separator[0], lineEnd, &wellFormed);
    QVERIFY(wellFormed);
    QCOMPARE(records, (QList<QStringList>{fields, fields}));
}

// Expected answers from the formats: "---" for the family's sentinel under the column's own format.
void TestCsvExport::notRecordedAsTheGridShowsIt_data() {
    QTest::addColumn<bool>("players");
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("missing");
    QTest::newRow("player games -999") << true << 6 << QByteArray("-999") << true;
    QTest::newRow("player games -999.0") << true << 6 << QByteArray("-999.0") << true;
    QTest::newRow("player games -998") << true << 6 << QByteArray("-998") << false;
    QTest::newRow("player games -5") << true << 6 << QByteArray("-5") << false;
    QTest::newRow("player FG% -999") << true << 10 << QByteArray("-999") << true;
    QTest::newRow("player FG% -999.5") << true << 10 << QByteArray("-999.5") << false;
    QTest::newRow("player pts/min -999") << true << 75 << QByteArray("-999") << true;
    QTest::newRow("player height -999") << true << 5 << QByteArray("-999") << true;
    QTest::newRow("player height 6-9") << true << 5 << QByteArray("6-9") << false;
    QTest::newRow("player name -999") << true << 0 << QByteArray("-999") << false;
    QTest::newRow("team games -1") << false << 5 << QByteArray("-1") << true;
    QTest::newRow("team games -7") << false << 5 << QByteArray("-7") << true;
    QTest::newRow("team games 0") << false << 5 << QByteArray("0") << false;
    QTest::newRow("team W-L% -1") << false << 8 << QByteArray("-1") << true;
    QTest::newRow("team W-L% -1.5") << false << 8 << QByteArray("-1.5") << false;
    QTest::newRow("team point difference -1") << false << 60 << QByteArray("-1") << false;
    QTest::newRow("team division -1") << false << 4 << QByteArray("-1") << true;
    QTest::newRow("team division East") << false << 4 << QByteArray("East") << false;
    QTest::newRow("team division empty") << false << 4 << QByteArray("") << false;
}

void TestCsvExport::notRecordedAsTheGridShowsIt() {
    QFETCH(bool, players);
    QFETCH(int, column);
    QFETCH(QByteArray, line);
    QFETCH(bool, missing);
    QCOMPARE(isNotRecorded(players ? Family::Players : Family::Teams, column,
                           std::string_view(line.constData(), size_t(line.size()))),
             missing);
}

void TestCsvExport::fileNameNamesDatasetAndDay_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("players regular") << DatasetKind::PlayersRegular << "players-regular-2026-12-11.csv";
    QTest::newRow("players playoffs") << DatasetKind::PlayersPlayoffs << "players-playoffs-2026-12-11.csv";
    QTest::newRow("teams regular") << DatasetKind::TeamsRegular << "teams-regular-2026-12-11.csv";
    QTest::newRow("teams playoffs") << DatasetKind::TeamsPlayoffs << "teams-playoffs-2026-12-11.csv";
}

void TestCsvExport::fileNameNamesDatasetAndDay() {
    QFETCH(DatasetKind, kind);
    QFETCH(QString, name);
    QCOMPARE(exportFileName(kind, QDate(2026, 12, 11), QStringLiteral("csv")), name);
}

void TestCsvExport::exportsEveryRowFieldForField_data() {
    QTest::addColumn<int>("pageSize");
    QTest::newRow("pages of 70 rows, the last one short") << 70;
    QTest::newRow("the largest pages") << ResultReader::kLargestPage;
}

void TestCsvExport::exportsEveryRowFieldForField() {
    QFETCH(int, pageSize);
    m_service->pointClientHere();
    THttpCli http;
    http.setURL(endpointUrl(DatasetKind::PlayersRegular, hosts::StatisticsHost::Opening));
    ResultReader reader(http, DatasetKind::PlayersRegular, RequestState{}, pageSize);
    QList<long long> progress;
    const QString path = m_folder->filePath(QStringLiteral("all.csv"));
    const CsvExportOutcome outcome =
        exportResultCsv(reader, Family::Players, path, [&](long long done, long long total) {
            progress.append(done);
            return total == kRows;
        });
    QCOMPARE(outcome.error, QString());
    QCOMPARE(outcome.status, CsvExportOutcome::Status::Written);
    QCOMPARE(outcome.rows, kRows);
    QCOMPARE(progress.size(), (kRows + pageSize - 1) / pageSize);
    QCOMPARE(progress.last(), kRows);

    const QByteArray bytes = readAll(path);
    QVERIFY(!bytes.startsWith("\xef\xbb\xbf"));
    bool wellFormed = false;
    const QList<QStringList> records =
        readDelimited(QString::fromUtf8(bytes), QLatin1Char(','), QStringLiteral("\r\n"), &wellFormed);
    QVERIFY(wellFormed);
    QCOMPARE(records.size(), kRows + 1);

    // Titles: the long names printing knows the columns by, without their padding.
    const auto titles = printColumns(Family::Players);
    QCOMPARE(records[0].size(), static_cast<qsizetype>(titles.size()));
    for (size_t column = 0; column < titles.size(); ++column)
        QCOMPARE(records[0][qsizetype(column)], QString::fromLatin1(titles[column].longName.data(),
                                                                    qsizetype(titles[column].longName.size()))
                                                    .trimmed());

    // Rows in the service's order; each found by its unique name and checked field for field.
    QHash<QString, int> byName;
    for (int i = 0; i < kRows; ++i)
        byName.insert(fromCodePage(generatedPlayer(i).texts[0]), i);
    QSet<int> seen;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const QStringList& fields = records[r];
        QCOMPARE(fields.size(), static_cast<qsizetype>(kGeneratedFields));
        QVERIFY2(byName.contains(fields[0]), qPrintable(fields[0]));
        const int i = byName.value(fields[0]);
        seen.insert(i);
        const FixtureRow source = generatedPlayer(i);
        for (int column = 0; column < kGeneratedFields; ++column) {
            const int field = fieldOfPlayerColumn(column);
            const QString got = fields[column];
            const QByteArray where = QByteArray::number(i) + " column " + QByteArray::number(column);
            if (field < kGeneratedTexts) {
                const bool heightMissing = field == kHeightField && source.texts[size_t(field)] == "-999";
                QVERIFY2(got == (heightMissing ? QString() : fromCodePage(source.texts[size_t(field)])),
                         where.constData());
            } else if (source.numbers[size_t(field)] == -999) {
                QVERIFY2(got.isEmpty(), where.constData());
            } else {
                bool number = false;
                QVERIFY2(got.toDouble(&number) == source.numbers[size_t(field)] && number,
                         QByteArray(where + ": " + got.toUtf8()).constData());
            }
        }
    }
    QCOMPARE(seen.size(), kRows);
}

void TestCsvExport::cancelLeavesNoFileAndKeepsTheOldOne_data() {
    QTest::addColumn<bool>("oldFile");
    QTest::newRow("no file before") << false;
    QTest::newRow("an old file") << true;
}

void TestCsvExport::cancelLeavesNoFileAndKeepsTheOldOne() {
    QFETCH(bool, oldFile);
    m_service->pointClientHere();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("result.csv"));
    if (oldFile)
        QVERIFY(writeOldFile(path));
    THttpCli http;
    http.setURL(endpointUrl(DatasetKind::PlayersRegular, hosts::StatisticsHost::Opening));
    ResultReader reader(http, DatasetKind::PlayersRegular, RequestState{}, 70);
    int pages = 0;
    const CsvExportOutcome outcome =
        exportResultCsv(reader, Family::Players, path, [&](long long, long long) {
            return ++pages < 2; // Cancel after the second page
        });
    QCOMPARE(outcome.status, CsvExportOutcome::Status::Cancelled);
    QCOMPARE(pages, 2);
    QCOMPARE(outcome.rows, 140);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             oldFile ? QStringList{"result.csv"} : QStringList{});
    if (oldFile)
        QCOMPARE(readAll(path), QByteArray("old,content\r\n"));
}

void TestCsvExport::failingHostFailsTheExportAndKeepsTheOldFile() {
    QTemporaryDir folder;
    const QString db = folder.filePath(QStringLiteral("own.db"));
    writeGeneratedDatabase(db, kRows);
    ServiceProcess service(db);
    QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
    service.pointClientHere();
    const QString path = folder.filePath(QStringLiteral("result.csv"));
    QVERIFY(writeOldFile(path));
    THttpCli http;
    http.setURL(endpointUrl(DatasetKind::PlayersRegular, hosts::StatisticsHost::Opening));
    ResultReader reader(http, DatasetKind::PlayersRegular, RequestState{}, 70);
    // The only service goes down after the first page: every host of the fallback then fails.
    const CsvExportOutcome outcome =
        exportResultCsv(reader, Family::Players, path, [&](long long done, long long) {
            if (done == 70)
                return service.kill();
            return true;
        });
    QCOMPARE(outcome.status, CsvExportOutcome::Status::Failed);
    QCOMPARE(outcome.rows, 70);
    const QString start =
        QStringLiteral("The export stopped after 70 rows and %1 was not written: ").arg(path);
    QVERIFY2(outcome.error.startsWith(start), qPrintable(outcome.error));
    QVERIFY2(outcome.error.contains(QStringLiteral("can't connect: Connection refused")),
             qPrintable(outcome.error));
    QCOMPARE(readAll(path), QByteArray("old,content\r\n"));
    QCOMPARE(QDir(folder.path()).entryList({"result*"}, QDir::Files | QDir::Hidden),
             QStringList{"result.csv"});
}

// The rows are read, converted and written apart from the fetching: a reply cut inside a row must
// still fail the whole export, with the row it broke off in.
void TestCsvExport::cutReplyFailsTheExportAndKeepsTheOldFile() {
    // A page that promises 100 rows and breaks off after two fields of its third; a player row
    // has 76 reply lines.
    QByteArray body = "100\r\n";
    for (int line = 0; line < 2 * 76 + 2; ++line)
        body += QByteArray::number(line % 76) + "\r\n";
    HostileServer server;
    server.setScript({HostileServer::write("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body),
                      HostileServer::close()});
    const QByteArray host = server.hostPort().toLatin1();
    qputenv("STATDESK_HOSTS", host + "," + host + "," + host);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("result.csv"));
    QVERIFY(writeOldFile(path));
    THttpCli http;
    http.setURL(endpointUrl(DatasetKind::PlayersRegular, hosts::StatisticsHost::Opening));
    ResultReader reader(http, DatasetKind::PlayersRegular, RequestState{}, 70);
    const CsvExportOutcome outcome = exportResultCsv(reader, Family::Players, path);
    QVERIFY(server.connectionCount() > 0);
    QCOMPARE(outcome.status, CsvExportOutcome::Status::Failed);
    QCOMPARE(outcome.rows, 2);
    QCOMPARE(outcome.error, QStringLiteral("The export stopped after 2 rows and %1 was not written: The "
                                           "statistics service's reply ended in the middle of row 3.")
                                .arg(path));
    QCOMPARE(readAll(path), QByteArray("old,content\r\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"result.csv"});
}

// The file is written apart from the fetching: a write that fails in the middle (here the process's
// file size limit, as a full disk would) must fail the export with the system's reason.
void TestCsvExport::fullDiskFailsTheExportAndKeepsTheOldFile() {
    m_service->pointClientHere();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("result.csv"));
    QVERIFY(writeOldFile(path));
    rlimit before{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &before) == 0);
    // Past the limit a write fails with EFBIG instead of the signal ending the process.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 32 * 1024;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    THttpCli http;
    http.setURL(endpointUrl(DatasetKind::PlayersRegular, hosts::StatisticsHost::Opening));
    ResultReader reader(http, DatasetKind::PlayersRegular, RequestState{}, 70);
    const CsvExportOutcome outcome = exportResultCsv(reader, Family::Players, path);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(outcome.status, CsvExportOutcome::Status::Failed);
    QCOMPARE(outcome.error,
             QStringLiteral("Cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(EFBIG))));
    QCOMPARE(readAll(path), QByteArray("old,content\r\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"result.csv"});
}

QTEST_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
