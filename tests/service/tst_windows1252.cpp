#include "Windows1252.h"

#include <QTest>

using namespace statdesk;

class TestWindows1252 : public QObject {
    Q_OBJECT
  private slots:
    void everyByteComesBackUnchanged() {
        // A list value the service sent must go back as the same bytes in a criterion line.
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all += static_cast<char>(byte);
        const QByteArray back = toWindows1252(fromWindows1252(all));
        QCOMPARE(back, QByteArray(all.data(), static_cast<qsizetype>(all.size())));
    }

    void letters_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("Jokic") << QStringLiteral("Jokic");
        QTest::newRow("s caron in the high controls")
            << QByteArray("Biedri\x9a") << QStringLiteral("Biedri\u0161");
        QTest::newRow("Z caron") << QByteArray("\x8e") << QStringLiteral("\u017d");
        QTest::newRow("euro") << QByteArray("\x80") << QStringLiteral("\u20ac");
        QTest::newRow("latin-1 range") << QByteArray("Vesel\xfd") << QStringLiteral("Vesel\u00fd");
    }
    void letters() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(fromWindows1252(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))),
                 text);
        QCOMPARE(toWindows1252(text), bytes);
    }

    void lettersOutsideBecomeQuestionMarks() {
        QCOMPARE(toWindows1252(QStringLiteral("Joki\u0107")), QByteArray("Joki?"));
    }
};

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
