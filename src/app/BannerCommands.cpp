#include "MainWindow.h"

#include "BannerSlots.h"
#include "BrandRecord.h"
#include "EHttpException.h"
#include "Seams.h"
#include "THttpCli.h"
#include "TableWindow.h"

#include <QFile>
#include <QImage>
#include <QPixmap>

namespace statdesk {
namespace {

const QString kBannerFile = QStringLiteral("temp3.gif");
constexpr int kBannerNumberBound = 10000000;

} // namespace

// One banner request at a time: the client's own busy state and the flag keep a tick that comes
// while a request waits from starting another.
void TForm1::Timer3Timer() {
    if (HttpCliAd->isBusy() || bannerBusy)
        return;
    const int slot = nextBannerSlot(bannerSlot, openedMarkers);
    if (slot == 0)
        return;
    bannerBusy = true;
    bannerSlot = slot;

    const QString address = brandRecord().BannerAddress;
    const qint32 number = bannerPlaceHolder(address) >= 0 ? seams::random().bounded(kBannerNumberBound) : 0;
    HttpCliAd->setURL(bannerAddressWith(address, number));
    bannerSlotNumbers().at(static_cast<size_t>(slot - 1)) = number;

    QByteArray body;
    QString failure;
    HttpCliAd->setReplyBuffer(&body);
    try {
        HttpCliAd->Get();
    } catch (const EHttpException& error) {
        failure = QString::fromUtf8(error.what());
    }
    HttpCliAd->setReplyBuffer(nullptr);

    QFile file(kBannerFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(body) != body.size())
        failure = QStringLiteral("%1: %2").arg(kBannerFile, file.errorString());
    file.close();
    finishBanner(failure);
}

// A failed banner is no reason to interrupt the user: the slot keeps its picture, the rotation goes
// on, and a run of failures is reported once on the error stream.
void TForm1::finishBanner(const QString& failure) {
    bannerBusy = false;
    if (!failure.isEmpty()) {
        if (!m_bannerFailureReported)
            qWarning().noquote() << "statdesk: banner request" << HttpCliAd->URL() << "failed:" << failure;
        m_bannerFailureReported = true;
        return;
    }
    m_bannerFailureReported = false;
    TableWindow* window = tableWindows.at(static_cast<size_t>((bannerSlot - 1) / 2));
    // Through QImage: a pixmap loaded by file name comes from a cache keyed to the file's time in
    // whole seconds, and the file is rewritten by every banner.
    QImage picture;
    if (window != nullptr && picture.load(kBannerFile))
        window->setBannerPicture((bannerSlot - 1) % 2 + 1, QPixmap::fromImage(picture));
}

} // namespace statdesk
