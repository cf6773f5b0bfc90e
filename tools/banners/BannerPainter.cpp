#include "BannerPainter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace statdesk::banners {
namespace {

struct Band {
    QColor light, dark;
};

const std::array<Band, 6> kBands = {{{QColor(0x2b, 0x46, 0x94), QColor(0x12, 0x1f, 0x4a)},
                                     {QColor(0xa3, 0x24, 0x38), QColor(0x55, 0x0e, 0x1c)},
                                     {QColor(0x25, 0x70, 0x49), QColor(0x0f, 0x3b, 0x26)},
                                     {QColor(0x5d, 0x37, 0x8a), QColor(0x2b, 0x17, 0x47)},
                                     {QColor(0x16, 0x6e, 0x7c), QColor(0x08, 0x37, 0x40)},
                                     {QColor(0x44, 0x4c, 0x5a), QColor(0x1a, 0x1e, 0x25)}}};
const QColor kKicker(0xff, 0xc8, 0x57);
const QColor kBallLight(0xf8, 0xa5, 0x4e);
const QColor kBallDark(0xc2, 0x55, 0x10);
const QColor kSeam(0x2a, 0x14, 0x08);

constexpr double kTextLeft = 72;
constexpr double kTextRight = kBannerWidth - 8;
constexpr int kHeadlineLargest = 23;
constexpr int kHeadlineSmallest = 13;

QFont bannerFont(int pixels, bool bold) {
    QFont font(QString::fromLatin1(kBannerFamily));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// A faint half court behind everything: the lane and the three-point arc on the left, the centre
// circle on the right.
void paintCourt(QPainter& painter) {
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(-1, 13, 44, 34));
    painter.drawEllipse(QPointF(-38, 30), 96, 96);
    painter.drawLine(QPointF(404, 0), QPointF(404, kBannerHeight));
    painter.drawEllipse(QPointF(404, 30), 21, 21);
}

void paintBall(QPainter& painter) {
    const QPointF centre(35, 29);
    const double radius = 21;
    QRadialGradient shade(centre - QPointF(7, 8), radius * 1.5);
    shade.setColorAt(0, kBallLight);
    shade.setColorAt(1, kBallDark);
    painter.setPen(QPen(kSeam, 1.3));
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);

    QPainterPath ball;
    ball.addEllipse(centre, radius, radius);
    painter.save();
    painter.setClipPath(ball);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(centre - QPointF(radius, 0), centre + QPointF(radius, 0));
    painter.drawLine(centre - QPointF(0, radius), centre + QPointF(0, radius));
    painter.drawEllipse(centre - QPointF(radius * 1.3, 0), radius * 0.9, radius * 1.15);
    painter.drawEllipse(centre + QPointF(radius * 1.3, 0), radius * 0.9, radius * 1.15);
    painter.restore();
}

// The maker's mark, a small pill at the top right; returns its left edge.
double paintMark(QPainter& painter, const Band& band) {
    const QFont font = bannerFont(10, true);
    const QString mark = QStringLiteral("Statdesk");
    const double width = QFontMetricsF(font).horizontalAdvance(mark) + 12;
    const QRectF pill(kTextRight - width, 4, width, 14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRoundedRect(pill, 7, 7);
    painter.setFont(font);
    painter.setPen(band.dark);
    painter.drawText(pill, Qt::AlignCenter, mark);
    return pill.left();
}

void paintHeadline(QPainter& painter, const QString& headline) {
    const double width = kTextRight - kTextLeft;
    QFont font = bannerFont(kHeadlineLargest, true);
    for (int pixels = kHeadlineLargest;
         pixels > kHeadlineSmallest && QFontMetricsF(font).horizontalAdvance(headline) > width; --pixels)
        font.setPixelSize(pixels - 1);
    const QFontMetricsF metrics(font);
    const QString text = metrics.elidedText(headline, Qt::ElideRight, width);
    const QRectF area(kTextLeft, 19, width, 36);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 110));
    painter.drawText(area.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace

QString missingFont() {
    const QString family = QString::fromLatin1(kBannerFamily);
    if (!QFontDatabase::families().contains(family))
        return QStringLiteral("font family \"%1\" is not installed (package fonts-liberation2)").arg(family);
    return {};
}

QImage paintBanner(const BannerSubject& subject, int number) {
    const Band& band = kBands[static_cast<size_t>(number) % kBands.size()];
    QImage image(kBannerWidth, kBannerHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient fill(0, 0, 0, kBannerHeight);
    fill.setColorAt(0, band.light);
    fill.setColorAt(1, band.dark);
    painter.fillRect(image.rect(), fill);
    painter.fillRect(QRectF(0, kBannerHeight - 3, kBannerWidth, 3), kBallDark);
    paintCourt(painter);
    paintBall(painter);

    const double markLeft = paintMark(painter, band);
    QFont kicker = bannerFont(10, true);
    kicker.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
    const QRectF kickerArea(kTextLeft, 4, markLeft - 8 - kTextLeft, 14);
    painter.setFont(kicker);
    painter.setPen(kKicker);
    painter.drawText(kickerArea, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetricsF(kicker).elidedText(QString::fromStdString(subject.kicker), Qt::ElideRight,
                                                      kickerArea.width()));
    paintHeadline(painter, QString::fromStdString(subject.headline));
    painter.end();
    return image;
}

} // namespace statdesk::banners
