#include "GlyphResources.h"

#include <QDir>
#include <QImage>
#include <QtTest>

namespace {

const QString Prefix = QStringLiteral(":/glyphs/");

// Where a punctuation mark's ink must sit: a mix-up of names would put it elsewhere.
enum class Zone { Any, Low, Middle, High };

struct Expected {
    QString name;
    Zone zone;
};

QList<Expected> expectedGlyphs() {
    QList<Expected> list;
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (QChar c : letters) {
        list.append({QStringLiteral("R-U") + c, Zone::Any});
        list.append({QStringLiteral("R-L") + c, Zone::Any});
    }
    for (QChar c : QStringLiteral("0123456789"))
        list.append({QStringLiteral("R-") + c, Zone::Any});
    list.append({QStringLiteral("R-COMMA"), Zone::Low});
    list.append({QStringLiteral("R-DASH"), Zone::Middle});
    list.append({QStringLiteral("R-DOUBLEQUOTE"), Zone::High});
    list.append({QStringLiteral("R-PERIOD"), Zone::Low});
    list.append({QStringLiteral("R-SINGLEQUOTE"), Zone::High});
    return list;
}

} // namespace

class TestGlyphs : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        initGlyphResources();
        QVERIFY2(QDir(Prefix).exists(), "the glyph resource is not registered");
    }

    void glyphIsBlackTypeOnWhite_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("zone");
        for (const Expected& e : expectedGlyphs())
            QTest::newRow(qPrintable(e.name)) << e.name << int(e.zone);
    }

    void glyphIsBlackTypeOnWhite() {
        QFETCH(QString, name);
        QFETCH(int, zone);
        const QImage image(Prefix + name);
        QVERIFY2(!image.isNull(), qPrintable(name + QStringLiteral(" does not load")));
        QCOMPARE(image.size(), QSize(65, 90));

        int dark = 0, inkTop = image.height(), inkBottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                // Anti-aliased edges may be grey, but never coloured.
                QVERIFY2(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel),
                         qPrintable(QStringLiteral("coloured pixel at %1,%2").arg(x).arg(y)));
                const bool edge = x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
                if (edge)
                    QVERIFY2(pixel == qRgb(255, 255, 255),
                             qPrintable(QStringLiteral("border pixel %1,%2 is not white").arg(x).arg(y)));
                if (qGray(pixel) < 255) {
                    inkTop = std::min(inkTop, y);
                    inkBottom = std::max(inkBottom, y);
                }
                if (pixel == qRgb(0, 0, 0))
                    ++dark;
            }
        }
        // Even the period is a solid dot of many pixels; a few would mean a faint or empty glyph.
        QVERIFY2(dark >= 20, qPrintable(QStringLiteral("only %1 pure black pixels").arg(dark)));

        const double centre = (inkTop + inkBottom) / 2.0 / image.height();
        switch (Zone(zone)) {
        case Zone::Low:
            QVERIFY2(centre > 0.6, qPrintable(QStringLiteral("ink centred at %1 of the height").arg(centre)));
            break;
        case Zone::Middle:
            QVERIFY2(centre > 0.35 && centre < 0.65,
                     qPrintable(QStringLiteral("ink centred at %1 of the height").arg(centre)));
            break;
        case Zone::High:
            QVERIFY2(centre < 0.4, qPrintable(QStringLiteral("ink centred at %1 of the height").arg(centre)));
            break;
        case Zone::Any:
            break;
        }
    }

    void setIsExactAndDistinct() {
        QStringList expected;
        for (const Expected& e : expectedGlyphs())
            expected.append(e.name);
        QStringList present = QDir(Prefix).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        present.sort();
        expected.sort();
        QCOMPARE(present, expected);

        QList<QImage> images;
        for (const QString& name : expected)
            images.append(QImage(Prefix + name).convertToFormat(QImage::Format_Grayscale8));
        for (int i = 0; i < images.size(); ++i)
            for (int j = i + 1; j < images.size(); ++j)
                QVERIFY2(images.at(i) != images.at(j),
                         qPrintable(expected.at(i) + QStringLiteral(" equals ") + expected.at(j)));

        // Small letters are not capitals under another name: an "a" has less ink height than an "A".
        const QImage capital(Prefix + QStringLiteral("R-UA"));
        const QImage small(Prefix + QStringLiteral("R-LA"));
        QVERIFY(capital != small);
        auto inkTop = [](const QImage& image) {
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        return y;
            return image.height();
        };
        QVERIFY2(inkTop(small) > inkTop(capital) + 5,
                 qPrintable(QStringLiteral("ink starts at row %1 in R-LA, %2 in R-UA")
                                .arg(inkTop(small))
                                .arg(inkTop(capital))));
    }
};

QTEST_MAIN(TestGlyphs)
#include "tst_glyphs.moc"
