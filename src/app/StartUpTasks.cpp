#include "MainWindow.h"

#include "BrandRecord.h"
#include "Hosts.h"
#include "LzwCompressor.h"
#include "Seams.h"
#include "StartupState.h"
#include "TFtpClient.h"
#include "THttpCli.h"
#include "VersionLists.h"

#include <QFile>

namespace statdesk {
namespace {

const QString kBeacon = QStringLiteral("check.ver");
const QString kBeaconText = QStringLiteral("temp3.txt");

} // namespace

void TForm1::runVersionCheck() {
    HttpCli1->setURL(hosts::site() + QStringLiteral("/cgi-bin/verread.exe"));
    const std::optional<QStringList> lines = getReplyLines(*HttpCli1);
    if (lines)
        updateRequired() =
            versionListSaysOutOfDate(*lines, brandRecord().BrandHome, brandRecord().VersionText);
}

// The client's address stays on the settings list afterwards.
void TForm1::refreshBannerSettings() {
    HttpCli1->setURL(hosts::statistics(hosts::StatisticsHost::Second) + QStringLiteral("/verman.asp"));
    const std::optional<QStringList> lines = getReplyLines(*HttpCli1);
    if (!lines)
        return;
    BrandRecord& brand = brandRecord();
    const std::optional<BannerSettings> settings = bannerSettingsFromList(
        *lines, brand.BrandHome, {brand.BannerCount, brand.BannerAddress, brand.BannerClickAddress});
    if (!settings)
        return;
    brand.BannerCount = settings->count;
    brand.BannerAddress = settings->address;
    brand.BannerClickAddress = settings->clickAddress;
}

// Each start sends the beacon the previous start left, then leaves a new one. The upload's results
// do not matter: the beacon goes either way.
void TForm1::uploadUsageLog() {
    if (QFile::exists(kBeacon)) {
        const QString host = hosts::ftp();
        FtpClient1->setHostName(host.section(QLatin1Char(':'), 0, 0));
        FtpClient1->setPort(host.contains(QLatin1Char(':')) ? host.section(QLatin1Char(':'), 1)
                                                            : QStringLiteral("ftp"));
        FtpClient1->setUserName(QStringLiteral("anonymous"));
        FtpClient1->setPassWord(QStringLiteral("statdesk@"));
        FtpClient1->setLocalFileName(kBeacon);
        FtpClient1->setHostFileName(QString::number(seams::random().bounded(99999999)));
        FtpClient1->Connect();
        FtpClient1->User();
        FtpClient1->Pass();
        FtpClient1->Upload();
        FtpClient1->Quit();
        QFile::remove(kBeacon);
    }
    QFile text(kBeaconText);
    if (!text.open(QIODevice::WriteOnly) || text.write("begin\r\n") != 7)
        throw std::runtime_error(QStringLiteral("%1: %2").arg(kBeaconText, text.errorString()).toStdString());
    text.close();
    Compress(kBeaconText, kBeacon);
    QFile::remove(kBeaconText);
}

} // namespace statdesk
