// The CSV export of the whole players table (regular season) against its baseline run beside it:
// the same pages fetched through the client with nothing written.
#include "BenchSupport.h"
#include "RealDataBench.h"
#include "ResultCsv.h"
#include "ResultReader.h"
#include "StatsQueryClient.h"
#include "THttpCli.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace statdesk;
using namespace statdesk::bench;

int main(int argc, char** argv) {
    prepareEnvironment();
    QApplication app(argc, argv);
    RealDataBench bench;
    if (!bench.ready())
        return 1;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("players.csv"));
    THttpCli http;
    http.setURL(endpointUrl(DatasetKind::PlayersRegular, hosts::StatisticsHost::Opening));

    long long exported = 0;
    long long fetched = 0;
    bool failed = false;
    const auto exportAll = [&] {
        ResultReader reader(http, DatasetKind::PlayersRegular, RequestState{});
        const CsvExportOutcome outcome = exportResultCsv(reader, Family::Players, path);
        if (outcome.status != CsvExportOutcome::Status::Written) {
            std::printf("export failed: %s\n", qPrintable(outcome.error));
            failed = true;
        }
        exported = outcome.rows;
    };
    const auto fetchAll = [&] {
        ResultReader reader(http, DatasetKind::PlayersRegular, RequestState{});
        fetched = 0;
        reader.read(0, -1, [&](long long, std::span<const std::string_view>) { ++fetched; });
    };
    const auto [exportNs, fetchNs] = measurePair(exportAll, fetchAll, 1);
    if (failed)
        return 1;
    std::printf("rows: exported %lld, fetched %lld; file %.1f MB\n", exported, fetched,
                double(QFileInfo(path).size()) / (1024.0 * 1024.0));
    std::printf("export of the whole players table to CSV: %.0f ms; the same pages fetched with nothing "
                "written: %.0f ms; ratio %.2fx (goal <= 1.3x)\n",
                exportNs / 1e6, fetchNs / 1e6, exportNs / fetchNs);
    return 0;
}
