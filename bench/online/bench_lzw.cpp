// The beacon coder against the system's `compress -c` (package ncompress) on the same 10 MB of
// mixed CSV text: both read the file and write to the null device; the baseline's time includes
// starting its process, a millisecond or so against a run of a hundred or more. The beacon's format
// learns about one string per input byte where plain LZW learns one per phrase, hence a goal of 1.3x.
#include "BenchSupport.h"
#include "LzwCompressor.h"
#include "LzwDecoder.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace statdesk;

namespace {

constexpr qsizetype InputSize = 10 << 20;
constexpr qsizetype PerFile = 1 << 20; // no single file dominates the mix

QByteArray mixedText(const QString& folder) {
    QStringList paths;
    QDirIterator files(folder, {QStringLiteral("*.csv")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        paths << files.next();
    std::sort(paths.begin(), paths.end());
    QByteArray text;
    for (const QString& path : paths) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            text += file.read(PerFile);
        if (text.size() >= InputSize)
            break;
    }
    text.truncate(InputSize);
    return text;
}

QByteArray runBaseline(const QString& program, const QString& input, bool keepOutput) {
    QProcess process;
    if (!keepOutput)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {QStringLiteral("-c"), input});
    process.waitForFinished(-1);
    return keepOutput ? process.readAllStandardOutput() : QByteArray();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString baseline = QStandardPaths::findExecutable(QStringLiteral("compress"));
    if (baseline.isEmpty()) {
        std::printf("`compress` is not installed (Debian package ncompress)\n");
        return 1;
    }
    const QByteArray text = mixedText(QStringLiteral(STATDESK_RAW_DATA));
    if (text.size() < InputSize) {
        std::printf("only %lld bytes of CSV under %s\n", static_cast<long long>(text.size()),
                    STATDESK_RAW_DATA);
        return 1;
    }
    QTemporaryDir folder;
    const QString input = folder.filePath(QStringLiteral("mixed.csv"));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        std::printf("cannot write %s\n", qPrintable(input));
        return 1;
    }
    file.close();

    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.constData()),
                                              static_cast<std::size_t>(text.size()));
    const std::vector<std::uint8_t> ours = lzwCompress(bytes);
    const bool roundTrip = lzwDecode(ours) == std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    const QByteArray theirs = runBaseline(baseline, input, true);

    const auto [ourTime, theirTime] = bench::measurePair([&] { Compress(input, QProcess::nullDevice()); },
                                                         [&] { runBaseline(baseline, input, false); }, 1);
    std::printf("input: %lld bytes of CSV text from %s\n", static_cast<long long>(text.size()),
                STATDESK_RAW_DATA);
    std::printf("ours     Compress(file)  %8.1f ms  %9zu bytes (%.1f%%)  decodes back: %s\n", ourTime / 1e6,
                ours.size(), 100.0 * double(ours.size()) / double(text.size()), roundTrip ? "yes" : "NO");
    std::printf("baseline compress -c     %8.1f ms  %9lld bytes (%.1f%%)\n", theirTime / 1e6,
                static_cast<long long>(theirs.size()), 100.0 * double(theirs.size()) / double(text.size()));
    std::printf("time ratio ours/baseline: %.2fx (goal at most 1.3x)\n", ourTime / theirTime);
    return roundTrip ? 0 : 1;
}
