#include "DatasetKind.h"
#include "GermanNumbers.h"
#include "NumberText.h"
#include "PageReplyReader.h"
#include "QueryRequest.h"
#include "RowCache.h"

#include <QLocale>
#include <QTest>

#include <memory>


using namespace statdesk;

namespace {

// One row block whose values tell row and field apart: texts "t<row>.<field>", integers
// row * 1000 + field, reals the same plus 0.25.
QByteArrayList block(Family family, int row) {
    QByteArrayList lines;
    int field = 0;
    for (const ReplyField& f : replyFields(family)) {
        const int value = row * 1000 + field;
        if (f.type == FieldType::Text)
            lines.append("t" + QByteArray::number(row) + "." + QByteArray::number(field));
        else if (f.type == FieldType::Integer)
            lines.append(QByteArray::number(value));
        else
            lines.append(QByteArray::number(value) + ".25");
        ++field;
    }
    return lines;
}

// A page reply: total, one block per row tag, then the totals block tagged 999.
QByteArrayList pageLines(Family family, const QByteArray& total, QList<int> rows) {
    QByteArrayList lines{total};
    for (int row : rows)
        lines += block(family, row);
    lines += block(family, 999);
    return lines;
}

// Checks that record holds block(row), field by field, for the first `fields` fields.
void expectBlock(const RowCache& cache, int record, int row, int fields) {
    int field = 0;
    for (const ReplyField& f : replyFields(cache.family())) {
        if (field == fields)
            break;
        const int value = row * 1000 + field;
        if (f.type == FieldType::Text) {
            const QByteArray expected = "t" + QByteArray::number(row) + "." + QByteArray::number(field);
            QCOMPARE(
                QByteArray(cache.text(record, field).data(), qsizetype(cache.text(record, field).size())),
                expected.left(f.capacity));
        } else if (f.type == FieldType::Integer) {
            QCOMPARE(cache.number(record, field), double(value));
        } else {
            QCOMPARE(cache.number(record, field), value + 0.25);
        }
        ++field;
    }
}

void fillMarker(RowCache& cache, int record) {
    for (int field = 0; field < cache.fieldCount(); ++field) {
        cache.setText(record, field, "old");
        cache.setNumber(record, field, -5);
    }
}

bool holdsMarker(const RowCache& cache, int record, int fromField) {
    for (int field = fromField; field < cache.fieldCount(); ++field) {
        const bool isText = replyFields(cache.family())[size_t(field)].type == FieldType::Text;
        if (isText ? cache.text(record, field) != "old" : cache.number(record, field) != -5)
            return false;
    }
    return true;
}

} // namespace

class TestQueryProtocol : public QObject {
    Q_OBJECT

  private slots:
    void pageQueryBytes_data();
    void pageQueryBytes();
    void listQueryBytes_data();
    void listQueryBytes();
    void lineEndings_data();
    void lineEndings();
    void shortReplyKeepsWhatWasRead();
    void emptyReplyChangesNothing();
    void numbersAndTexts();
    void realFieldsReadAsDecimals();
    void realsIgnoreLocale();
    void recordsPastCapacityStopReading();
    void onlyRepliedRecordsCountAsWritten();
    void totalRowsBeyondCapacityIsClamped();
    void teamBlocks();
    void listReplyDropsFirstAndLast_data();
    void listReplyDropsFirstAndLast();
    void criteriaAreCappedAndCut();
    void datasetTable();
};

void TestQueryProtocol::pageQueryBytes_data() {
    QTest::addColumn<int>("pageStart");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QStringList>("criteria");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("new window") << 0 << 20 << QList<int>{300} << QStringList{}
                                << QByteArray("0!20!300!\r\n*\r\n\x1a");
    QTest::newRow("two codes") << 10 << 15 << QList<int>{1, 128} << QStringList{}
                               << QByteArray("10!15!B!1!128!\r\n*\r\n\x1a");
    QTest::newRow("three codes") << 5 << 7 << QList<int>{0, 100, 75} << QStringList{}
                                 << QByteArray("5!7!Y!0!100!75!\r\n*\r\n\x1a");
    QTest::newRow("four codes") << 0 << 1 << QList<int>{3, 104, 5, 188} << QStringList{}
                                << QByteArray("0!1!Z!3!104!5!188!\r\n*\r\n\x1a");
    QTest::newRow("ascending column 0")
        << 0 << 3 << QList<int>{100} << QStringList{} << QByteArray("0!3!100!\r\n*\r\n\x1a");
    QTest::newRow("descending column 0")
        << 0 << 3 << QList<int>{0} << QStringList{} << QByteArray("0!3!0!\r\n*\r\n\x1a");
    QTest::newRow("criteria replace the star")
        << 0 << 20 << QList<int>{300} << QStringList{"C9596", "*", "E28!1000!9999!", "*"}
        << QByteArray("0!20!300!\r\nC9596\r\n*\r\nE28!1000!9999!\r\n*\r\n\x1a");
    QTest::newRow("latin-1 bytes") << 0 << 2 << QList<int>{300}
                                   << QStringList{QString::fromLatin1("AJos\xe9")}
                                   << QByteArray("0!2!300!\r\nAJos\xe9\r\n\x1a");
}

void TestQueryProtocol::pageQueryBytes() {
    QFETCH(int, pageStart);
    QFETCH(int, pageSize);
    QFETCH(QList<int>, codes);
    QFETCH(QStringList, criteria);
    QFETCH(QByteArray, expected);
    RequestState state;
    state.PageStart = pageStart;
    state.PageSize = pageSize;
    state.SortCodes.assign(codes.begin(), codes.end());
    state.CriteriaList = criteria;
    QCOMPARE(buildPageQuery(state), expected);
}

void TestQueryProtocol::listQueryBytes_data() {
    QTest::addColumn<ListKind>("kind");
    QTest::addColumn<QStringList>("criteria");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("years, no criteria")
        << ListKind::Years << QStringList{} << QByteArray("0!0!C!\r\n*\r\n\x1a");
    QTest::newRow("players") << ListKind::Players << QStringList{} << QByteArray("0!0!A!\r\n*\r\n\x1a");
    QTest::newRow("teams after a team group") << ListKind::Teams << QStringList{"BBOS", "BLAL", "*"}
                                              << QByteArray("0!0!D!\r\nBBOS\r\nBLAL\r\n*\r\n\x1a");
    QTest::newRow("leagues") << ListKind::Leagues << QStringList{} << QByteArray("0!0!E!\r\n*\r\n\x1a");
}

void TestQueryProtocol::listQueryBytes() {
    QFETCH(ListKind, kind);
    QFETCH(QStringList, criteria);
    QFETCH(QByteArray, expected);
    QCOMPARE(buildListQuery(kind, criteria), expected);
}

void TestQueryProtocol::lineEndings_data() {
    QTest::addColumn<QByteArray>("separator");
    QTest::addColumn<bool>("finalLineEnd");
    QTest::newRow("CR LF") << QByteArray("\r\n") << true;
    QTest::newRow("LF") << QByteArray("\n") << true;
    QTest::newRow("CR") << QByteArray("\r") << true;
    QTest::newRow("CR LF, last line without end") << QByteArray("\r\n") << false;
}

void TestQueryProtocol::lineEndings() {
    QFETCH(QByteArray, separator);
    QFETCH(bool, finalLineEnd);
    QByteArray reply = pageLines(Family::Players, "2500", {1, 2}).join(separator);
    if (finalLineEnd)
        reply += separator;
    RowCache cache(Family::Players, 30000);
    const PageReadResult result = readPageReply(reply, 40, 2, cache);
    QVERIFY(result.complete);
    QCOMPARE(cache.GridLineCount(), 2501);
    expectBlock(cache, 41, 1, 76);
    expectBlock(cache, 42, 2, 76);
    expectBlock(cache, RowCache::TotalsRecord, 999, 76);
    expectBlock(cache, 40, 0, 0);
    QCOMPARE(cache.text(43, 0), std::string_view());
}

void TestQueryProtocol::shortReplyKeepsWhatWasRead() {
    // Mixed line ends and a NUL in the middle of the third block: reading ends there.
    QByteArrayList lines = pageLines(Family::Players, "12.0", {1, 2, 3});
    QByteArray reply = lines.mid(0, 40).join("\r\n") + "\n" + lines.mid(40, 100).join("\r") + "\r\n";
    const int thirdStart = 1 + 2 * 76;
    reply += lines.mid(140, thirdStart + 10 - 140).join("\n") + "\n";
    reply += QByteArray("\0", 1) + lines.mid(thirdStart + 10).join("\r\n");

    RowCache cache(Family::Players, 30000);
    for (int record : {1, 2, 3, 4, RowCache::TotalsRecord})
        fillMarker(cache, record);
    const PageReadResult result = readPageReply(reply, 0, 4, cache);
    QVERIFY(result.hadLines);
    QVERIFY(!result.complete);
    QVERIFY(!result.totalsWritten);
    QCOMPARE(cache.GridLineCount(), 13);
    expectBlock(cache, 1, 1, 76);
    expectBlock(cache, 2, 2, 76);
    expectBlock(cache, 3, 3, 10);
    QVERIFY(holdsMarker(cache, 3, 10));
    QVERIFY(holdsMarker(cache, 4, 0));
    QVERIFY(holdsMarker(cache, RowCache::TotalsRecord, 0));
}

void TestQueryProtocol::emptyReplyChangesNothing() {
    RowCache cache(Family::Teams, 15000);
    readPageReply(pageLines(Family::Teams, "7", {1}).join("\n"), 0, 1, cache);
    fillMarker(cache, 1);
    for (const QByteArray& reply : {QByteArray(), QByteArray("\0 99\r\n", 6)}) {
        const PageReadResult result = readPageReply(reply, 0, 1, cache);
        QVERIFY(!result.hadLines);
        QCOMPARE(cache.GridLineCount(), 8);
        QVERIFY(holdsMarker(cache, 1, 0));
    }
}

void TestQueryProtocol::numbersAndTexts() {
    QByteArrayList lines = pageLines(Family::Players, " 31.9", {1});
    lines[1] = "A Name Longer Than Twenty Characters"; // player name, capacity 20
    lines[2] = "AB ";                                  // league keeps its trailing blank
    lines[1 + 6] = "12.9";                             // games
    lines[1 + 7] = "-7";                               // minutes
    lines[1 + 8] = "";                                 // field goals made
    lines[1 + 9] = "+4x";                              // field goals attempted
    lines[1 + 10] = "-999";                            // a real field carrying the missing marker
    lines[1 + 11] = "";                                // an empty real
    RowCache cache(Family::Players, 30000);
    readPageReply(lines.join("\r\n"), 0, 1, cache);
    QCOMPARE(cache.reportedTotalRows(), 31);
    QCOMPARE(cache.text(1, 0), std::string_view("A Name Longer Than T"));
    QCOMPARE(cache.text(1, 1), std::string_view("AB "));
    QCOMPARE(cache.number(1, 6), 12.0);
    QCOMPARE(cache.number(1, 7), -7.0);
    QCOMPARE(cache.number(1, 8), 0.0);
    QCOMPARE(cache.number(1, 9), 4.0);
    QCOMPARE(cache.number(1, 10), -999.0);
    QCOMPARE(cache.number(1, 11), 0.0);
}

// Real fields of a reply, read as the service's decimal text; expected values written out here.
void TestQueryProtocol::realFieldsReadAsDecimals() {
    const QList<std::pair<QByteArray, double>> cases{{"0.1", 0.1},
                                                     {"-0.3", -0.3},
                                                     {"123456.789012", 123456.789012},
                                                     {"1e5", 100000.0},
                                                     {"  2.5", 2.5},
                                                     {"+3.25", 3.25},
                                                     {".5", 0.5},
                                                     {"5.", 5.0},
                                                     {"-", 0.0},
                                                     {"", 0.0},
                                                     {"1234567890123456.7", 1234567890123456.7},
                                                     {"0.0000001", 0.0000001},
                                                     {"-999", -999.0},
                                                     {"7.2.1", 7.2},
                                                     {"1,5", 1.0},
                                                     {"1e999", 0.0},
                                                     {"0.30000000000000004", 0.30000000000000004}};
    QByteArrayList lines = pageLines(Family::Players, "1", {1});
    QList<int> realFields;
    for (int field = 0; field < kPlayerFieldCount && realFields.size() < cases.size(); ++field) {
        if (replyFields(Family::Players)[size_t(field)].type == FieldType::Real) {
            lines[1 + field] = cases[realFields.size()].first;
            realFields.append(field);
        }
    }
    QCOMPARE(realFields.size(), cases.size());
    RowCache cache(Family::Players, 30000);
    readPageReply(lines.join("\r\n"), 0, 1, cache);
    for (int i = 0; i < realFields.size(); ++i)
        QVERIFY2(cache.number(1, realFields[i]) == cases[i].second, cases[i].first.constData());
}

void TestQueryProtocol::realsIgnoreLocale() {
    auto german = std::make_unique<test::GermanNumbers>();
    QVERIFY2(german->active(), "the de_DE.UTF-8 locale is missing: run scripts/install-deps.sh");
    QByteArrayList lines = pageLines(Family::Players, "1", {1});
    lines[1 + 10] = "0.456";
    lines[1 + 11] = "1,5";
    RowCache cache(Family::Players, 30000);
    readPageReply(lines.join("\r\n"), 0, 1, cache);
    german.reset();
    QCOMPARE(cache.number(1, 10), 0.456);
    QCOMPARE(cache.number(1, 11), 1.0);
}

void TestQueryProtocol::recordsPastCapacityStopReading() {
    RowCache cache(Family::Players, 12);
    fillMarker(cache, RowCache::TotalsRecord);
    const PageReadResult result =
        readPageReply(pageLines(Family::Players, "40", {1, 2, 3}).join("\r\n"), 10, 3, cache);
    QCOMPARE(result.recordsWritten, 2);
    QVERIFY(!result.totalsWritten);
    expectBlock(cache, 11, 1, 76);
    expectBlock(cache, 12, 2, 76);
    QVERIFY(holdsMarker(cache, RowCache::TotalsRecord, 0));
    QCOMPARE(cache.text(13, 0), std::string_view()); // no such record
}

void TestQueryProtocol::onlyRepliedRecordsCountAsWritten() {
    RowCache cache(Family::Players, 100);
    readPageReply(pageLines(Family::Players, "40", {1, 2}).join("\r\n"), 10, 2, cache);
    QList<int> written;
    for (int record = 0; record <= 100; ++record) {
        if (cache.isWritten(record))
            written.append(record);
    }
    QCOMPARE(written, (QList<int>{RowCache::TotalsRecord, 11, 12}));
    cache.clearRecord(11);
    QVERIFY(!cache.isWritten(11));
}

void TestQueryProtocol::totalRowsBeyondCapacityIsClamped() {
    RowCache cache(Family::Teams, 15000);
    cache.setTotalRows(20000);
    QCOMPARE(cache.GridLineCount(), 15001);
    QVERIFY(cache.resultExceedsCapacity());
    QCOMPARE(cache.reportedTotalRows(), 20000);
    cache.setTotalRows(-3);
    QCOMPARE(cache.GridLineCount(), 1);
    QVERIFY(!cache.resultExceedsCapacity());
    cache.setTotalRows(15000);
    QCOMPARE(cache.GridLineCount(), 15001);
    QVERIFY(!cache.resultExceedsCapacity());
}

void TestQueryProtocol::teamBlocks() {
    RowCache cache(Family::Teams, 15000);
    const PageReadResult result =
        readPageReply(pageLines(Family::Teams, "3", {1, 2, 3}).join("\r\n"), 0, 3, cache);
    QVERIFY(result.complete);
    expectBlock(cache, 3, 3, 89);
    expectBlock(cache, RowCache::TotalsRecord, 999, 89);
    QCOMPARE(cache.number(3, 0), 0.0); // a text field asked for as a number
    QCOMPARE(cache.text(3, 88), std::string_view());
}

void TestQueryProtocol::listReplyDropsFirstAndLast_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("three values") << QByteArray("3\r\n7475\r\n7576\r\n7677\r\nEND\r\n")
                                  << QStringList{"7475", "7576", "7677"};
    QTest::newRow("blank kept") << QByteArray("2\nBOS \n\nx") << QStringList{"BOS ", ""};
    QTest::newRow("two lines") << QByteArray("0\r\nEND\r\n") << QStringList{};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TestQueryProtocol::listReplyDropsFirstAndLast() {
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, values);
    QCOMPARE(readListReply(reply), values);
}

void TestQueryProtocol::criteriaAreCappedAndCut() {
    RequestState state;
    QVERIFY(state.appendCriterion("A" + QString(60, 'x')));
    QCOMPARE(state.CriteriaList.first().size(), 50);
    while (state.CriteriaList.size() < 500)
        QVERIFY(state.appendCriterion("*"));
    QVERIFY(!state.appendCriterion("*"));
    QCOMPARE(state.CriteriaList.size(), 500);
    state.SortCodes = {1, 2, 3};
    state.reset();
    QCOMPARE(state.SortCodes, std::vector<int>{300});
    QVERIFY(state.CriteriaList.isEmpty());
}

void TestQueryProtocol::datasetTable() {
    DatasetKind kind{};
    QVERIFY(datasetFromCaption("Basketball Player Statistics-Playoffs", kind));
    QCOMPARE(kind, DatasetKind::PlayersPlayoffs);
    QCOMPARE(datasetPath(kind), QString("/cgi-bin/getbplayer2-1.exe"));
    QCOMPARE(datasetWindowClass(DatasetKind::TeamsRegular), QString("TForm5"));
    QCOMPARE(datasetPath(DatasetKind::TeamsPlayoffs), QString("/cgi-bin/getbteam2-1.exe"));
    QCOMPARE(datasetRowCapacity(DatasetKind::PlayersRegular), 30000);
    QCOMPARE(datasetFamily(DatasetKind::TeamsPlayoffs), Family::Teams);
    QVERIFY(!datasetFromCaption("Basketball Players Statistics", kind));
}

QTEST_GUILESS_MAIN(TestQueryProtocol)
#include "tst_queryprotocol.moc"
