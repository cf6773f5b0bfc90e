#include "GermanNumbers.h"
#include "NumberText.h"

#include <QLocale>
#include <QTest>

using namespace statdesk;

class TestNumberText : public QObject {
    Q_OBJECT
  private slots:
    void wholeNumbers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qlonglong>("value");
        QTest::newRow("plain") << QByteArray("42") << 42LL;
        QTest::newRow("fraction dropped") << QByteArray("12.9") << 12LL;
        QTest::newRow("negative") << QByteArray("-999") << -999LL;
        QTest::newRow("leading blanks") << QByteArray("   7") << 7LL;
        QTest::newRow("plus sign") << QByteArray("+5") << 5LL;
        QTest::newRow("stops at other character") << QByteArray("31abc") << 31LL;
        QTest::newRow("no digits") << QByteArray("abc") << 0LL;
        QTest::newRow("empty") << QByteArray("") << 0LL;
        QTest::newRow("dot first") << QByteArray(".5") << 0LL;
        QTest::newRow("sign only") << QByteArray("-") << 0LL;
        QTest::newRow("absurdly long saturates")
            << QByteArray(40, '9') << std::numeric_limits<qlonglong>::max();
    }
    void wholeNumbers() {
        QFETCH(QByteArray, text);
        QFETCH(qlonglong, value);
        QCOMPARE(readWholeNumber(std::string_view(text.constData(), static_cast<size_t>(text.size()))),
                 value);
    }

    void realsIgnoreTheLocale() {
        const test::GermanNumbers german;
        QVERIFY2(german.active(), "the de_DE.UTF-8 locale is missing: run scripts/install-deps.sh");
        QCOMPARE(readRealNumber("0.456"), 0.456);
        QCOMPARE(readRealNumber(" -1.5"), -1.5);
        QCOMPARE(readRealNumber("x"), 0.0);
        QCOMPARE(writeRealNumber(27.5), std::string("27.5"));
        QCOMPARE(writeRealNumber(-1), std::string("-1"));
        QCOMPARE(writeWholeNumber(-999), std::string("-999"));
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
