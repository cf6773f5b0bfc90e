#include "VersionLists.h"

#include <QTest>

using namespace statdesk;

namespace {
const QString kHome = QStringLiteral("www.brand.example");
} // namespace

class TestVersionLists : public QObject {
    Q_OBJECT
  private slots:
    void versionList_data();
    void versionList();
    void bannerSettings_data();
    void bannerSettings();
};

void TestVersionLists::versionList_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("outOfDate");
    QTest::newRow("own group, own version")
        << QStringList{"1", "www.other.example", "5.0", "2", kHome, "2.0"} << false;
    QTest::newRow("own group, newer version") << QStringList{"2", kHome, "2.1"} << true;
    QTest::newRow("other brands and products only")
        << QStringList{"2", "www.other.example", "2.0", "1", kHome, "2.0"} << true;
    QTest::newRow("two matches: the later decides")
        << QStringList{"2", kHome, "2.0", "2", kHome, "2.2"} << true;
    QTest::newRow("two matches, later is ours") << QStringList{"2", kHome, "1.0", "2", kHome, "2.0"} << false;
    QTest::newRow("one line") << QStringList{"2.0"} << true;
    QTest::newRow("two lines") << QStringList{"2", kHome} << true;
    QTest::newRow("empty reply") << QStringList{} << false;
    QTest::newRow("case counts") << QStringList{"2", "WWW.BRAND.EXAMPLE", "2.0"} << true;
}

void TestVersionLists::versionList() {
    QFETCH(QStringList, lines);
    QFETCH(bool, outOfDate);
    QCOMPARE(versionListSaysOutOfDate(lines, kHome, QStringLiteral("2.0")), outOfDate);
}

void TestVersionLists::bannerSettings_data() {
    const BannerSettings current{3, QStringLiteral("old.example/ad{}.gif"),
                                 QStringLiteral("old.example/go{}")};
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("count"); // -1: nothing changes
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("clickAddress");
    QTest::newRow("this brand") << QStringList{kHome, "x", "2.9", "ads.example/b{}.gif", "ads.example/c{}",
                                               "2"}
                                << 2 << "ads.example/b{}.gif"
                                << "ads.example/c{}";
    QTest::newRow("without this brand: banners off")
        << QStringList{"www.other.example", "x", "4", "a", "b", "2"} << 0 << current.address
        << current.clickAddress;
    QTest::newRow("this brand, other product")
        << QStringList{kHome, "x", "4", "a", "b", "1"} << 0 << current.address << current.clickAddress;
    QTest::newRow("nine lines, seventh is this brand: nothing")
        << QStringList{kHome, "x", "4", "a", "b", "2", kHome, "y", "5"} << -1 << ""
        << "";
    QTest::newRow("nine lines, seventh is another: the first decides")
        << QStringList{kHome, "x", "4", "a", "b", "2", "www.other.example", "y", "5"} << 4 << "a"
        << "b";
    QTest::newRow("two groups: the later decides")
        << QStringList{kHome, "x", "4", "a", "b", "2", kHome, "y", "1", "c", "d", "2"} << 1 << "c"
        << "d";
}

void TestVersionLists::bannerSettings() {
    QFETCH(QStringList, lines);
    QFETCH(int, count);
    QFETCH(QString, address);
    QFETCH(QString, clickAddress);
    const BannerSettings current{3, QStringLiteral("old.example/ad{}.gif"),
                                 QStringLiteral("old.example/go{}")};
    const std::optional<BannerSettings> result = bannerSettingsFromList(lines, kHome, current);
    if (count < 0) {
        QVERIFY(!result);
        return;
    }
    QVERIFY(result);
    QCOMPARE(result->count, count);
    QCOMPARE(result->address, address);
    QCOMPARE(result->clickAddress, clickAddress);
}

QTEST_GUILESS_MAIN(TestVersionLists)
#include "tst_versionlists.moc"
