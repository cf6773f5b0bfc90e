#include "CupsPdfQueue.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using statdesk::test::CupsPdfQueue;

namespace {

// Runs a poppler tool; its standard output, or empty with the reason in error.
QString runTool(const QString& program, const QStringList& arguments, QString& error) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        error = program + QStringLiteral(" failed: ") + process.errorString() + QLatin1Char(' ') +
                QString::fromLocal8Bit(process.readAllStandardError());
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Share of the pixels in columns [from, to) of the image (as fractions of its width) that pass test.
template <typename Test> double share(const QImage& image, double from, double to, Test test) {
    int hits = 0, total = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = int(from * image.width()); x < int(to * image.width()); ++x) {
            ++total;
            if (test(qGray(image.pixel(x, y))))
                ++hits;
        }
    }
    return total ? double(hits) / total : 0;
}

} // namespace

class TestCupsPdf : public QObject {
    Q_OBJECT

  private slots:
    void printedPageArrivesAsPdf() {
        STATDESK_SKIP_WITHOUT_CUPS_PDF();
        CupsPdfQueue queue;
        QVERIFY2(queue.isReady(), qPrintable(queue.errorString()));
        QVERIFY(QPrinterInfo::availablePrinterNames().contains(queue.name()));

        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(queue.name());
        // An unknown printer name would quietly turn this into a PDF file on disk.
        QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
        QCOMPARE(printer.printerName(), queue.name());
        printer.setDocName(QStringLiteral("left half black"));
        printer.setFullPage(true);

        const QDateTime submitted = QDateTime::currentDateTime();
        QPainter painter;
        QVERIFY(painter.begin(&printer));
        const QRect paper = printer.pageLayout().fullRectPixels(printer.resolution());
        painter.fillRect(QRect(0, 0, paper.width() / 2, paper.height()), Qt::black);
        QVERIFY(painter.end());

        const QString pdf = queue.waitForPdf(submitted, 60000);
        QVERIFY2(!pdf.isEmpty(), qPrintable(queue.errorString()));

        QString error;
        const QString info = runTool(QStringLiteral("pdfinfo"), {pdf}, error);
        QVERIFY2(!info.isEmpty(), qPrintable(error));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("^Pages:\\s+1$"),
                                                  QRegularExpression::MultilineOption)),
                 qPrintable(info));

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString base = folder.filePath(QStringLiteral("page"));
        runTool(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), pdf, base},
                error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QImage page(base + QStringLiteral(".png"));
        QVERIFY2(!page.isNull(), "pdftoppm wrote no page image");
        // At 30 dpi a page is about 250 pixels wide; keep clear of the edge where the halves meet.
        QVERIFY2(page.width() > 200, qPrintable(QStringLiteral("page is %1 pixels wide").arg(page.width())));
        const double darkLeft = share(page, 0.02, 0.46, [](int grey) { return grey < 64; });
        const double whiteRight = share(page, 0.54, 0.98, [](int grey) { return grey > 224; });
        QVERIFY2(darkLeft > 0.95, qPrintable(QStringLiteral("left half %1 dark").arg(darkLeft)));
        QVERIFY2(whiteRight > 0.95, qPrintable(QStringLiteral("right half %1 white").arg(whiteRight)));
    }
};

QTEST_MAIN(TestCupsPdf)
#include "tst_cupspdf.moc"
