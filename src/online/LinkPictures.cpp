#include "LinkPictures.h"

#include "Hosts.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace statdesk {
namespace {

enum class Emblem { Ball, Board, Trophy, Court, Question, Mountains, Waves, Rule };

struct PictureLink {
    const char* line1;
    const char* line2;
    const char* path;
    QRgb top;
    QRgb bottom;
    Emblem emblem;
};

// Five pages of the maker's site; the service's built-in site settings serve the same paths.
constexpr std::array<PictureLink, kPictureLinks> kPictureLinkTable{{
    {"BOX", "SCORES", "/links/box-scores.html", 0xff1f4e8c, 0xff0d2747, Emblem::Ball},
    {"DRAFT", "BOARD", "/links/draft-board.html", 0xff2e7d32, 0xff144017, Emblem::Board},
    {"RECORD", "BOOK", "/links/record-book.html", 0xff8e2431, 0xff4a1018, Emblem::Trophy},
    {"ARENA", "GUIDE", "/links/arena-guide.html", 0xff00796b, 0xff003d36, Emblem::Court},
    {"STAT", "QUIZ", "/links/stat-quiz.html", 0xffd2691e, 0xff7a3a0c, Emblem::Question},
}};
constexpr std::array<int, kPictureLinks> kPictureLinkLefts{2, 136, 274, 410, 546};

struct Logo {
    const char* line1;
    const char* line2;
    QRgb background;
    QRgb border;
    QRgb text1;
    QRgb text2;
    Emblem emblem;
    QRgb emblemColour;
};

constexpr int kLogoWidth = 200;
constexpr int kLogoHeight = 56;

constexpr std::array<Logo, kSampleLogos> kLogoTable{{
    {"HARBOR CITY", "HOOPS", 0xff14213d, 0xfffca311, 0xffffffff, 0xfffca311, Emblem::Ball, 0xfff77f00},
    {"The Prairie", "GAZETTE", 0xffffffff, 0xff000080, 0xff000080, 0xff000080, Emblem::Rule, 0xff8a9a2b},
    {"Lakeshore", "SPORTS WEEKLY", 0xffcdf3d3, 0xff008000, 0xff006400, 0xff008000, Emblem::Waves, 0xff2a7fbf},
    {"SUMMIT VALLEY", "COURIER", 0xffffffff, 0xff000080, 0xff000080, 0xff5a6b8c, Emblem::Mountains,
     0xff000080},
}};

QFont boldFont(int pixelSize, const char* family = "Liberation Sans") {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// A small emblem in the square box.
void drawEmblem(QPainter& painter, Emblem emblem, const QRectF& box, const QColor& colour) {
    painter.save();
    const QPointF centre = box.center();
    const qreal r = box.width() / 2;
    QPen line(colour.darker(160), 1.6);
    switch (emblem) {
    case Emblem::Ball:
        painter.setBrush(colour);
        painter.setPen(line);
        painter.drawEllipse(box);
        painter.drawLine(QPointF(box.left(), centre.y()), QPointF(box.right(), centre.y()));
        painter.drawLine(QPointF(centre.x(), box.top()), QPointF(centre.x(), box.bottom()));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(box.adjusted(-r * 0.9, r * 0.25, -r * 1.1, -r * 0.25), -60 * 16, 120 * 16);
        painter.drawArc(box.adjusted(r * 1.1, r * 0.25, r * 0.9, -r * 0.25), 120 * 16, 120 * 16);
        break;
    case Emblem::Board:
        painter.setBrush(QColor(0xfa, 0xf6, 0xe8));
        painter.setPen(QPen(colour, 1.5));
        painter.drawRoundedRect(box.adjusted(r * 0.2, 0, -r * 0.2, 0), 3, 3);
        for (int row = 1; row <= 4; ++row) {
            const qreal y = box.top() + row * box.height() / 5;
            painter.drawLine(QPointF(box.left() + r * 0.45, y), QPointF(box.right() - r * 0.45, y));
        }
        break;
    case Emblem::Trophy: {
        painter.setBrush(colour);
        painter.setPen(line);
        QPainterPath cup;
        cup.moveTo(box.left() + r * 0.3, box.top());
        cup.lineTo(box.right() - r * 0.3, box.top());
        cup.cubicTo(box.right() - r * 0.3, centre.y() + r * 0.2, centre.x() + r * 0.2, centre.y() + r * 0.3,
                    centre.x(), centre.y() + r * 0.3);
        cup.cubicTo(centre.x() - r * 0.2, centre.y() + r * 0.3, box.left() + r * 0.3, centre.y() + r * 0.2,
                    box.left() + r * 0.3, box.top());
        painter.drawPath(cup);
        painter.drawRect(QRectF(centre.x() - r * 0.12, centre.y() + r * 0.3, r * 0.24, r * 0.4));
        painter.drawRect(QRectF(centre.x() - r * 0.5, box.bottom() - r * 0.3, r, r * 0.3));
        break;
    }
    case Emblem::Court:
        painter.setBrush(QColor(0xd9, 0xa4, 0x65));
        painter.setPen(QPen(Qt::white, 1.5));
        painter.drawRect(box.adjusted(0, r * 0.3, 0, -r * 0.3));
        painter.drawLine(QPointF(centre.x(), box.top() + r * 0.3),
                         QPointF(centre.x(), box.bottom() - r * 0.3));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, r * 0.3, r * 0.3);
        break;
    case Emblem::Question:
        painter.setBrush(colour);
        painter.setPen(line);
        painter.drawEllipse(box);
        painter.setPen(Qt::white);
        painter.setFont(boldFont(static_cast<int>(box.height() * 0.8)));
        painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
        break;
    case Emblem::Mountains: {
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        QPolygonF peaks;
        peaks << box.bottomLeft() << QPointF(box.left() + r * 0.7, box.top() + r * 0.4)
              << QPointF(centre.x(), centre.y()) << QPointF(box.right() - r * 0.6, box.top())
              << box.bottomRight();
        painter.drawPolygon(peaks);
        painter.setBrush(Qt::white);
        QPolygonF snow;
        snow << QPointF(box.right() - r * 0.6, box.top())
             << QPointF(box.right() - r * 0.32, box.top() + r * 0.45)
             << QPointF(box.right() - r * 0.88, box.top() + r * 0.45);
        painter.drawPolygon(snow);
        break;
    }
    case Emblem::Waves:
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
        for (int wave = 0; wave < 3; ++wave) {
            QPainterPath path;
            const qreal y = box.top() + r * 0.5 + wave * r * 0.5;
            path.moveTo(box.left(), y);
            path.cubicTo(box.left() + r * 0.5, y - r * 0.35, box.left() + r * 0.9, y + r * 0.35, centre.x(),
                         y);
            path.cubicTo(centre.x() + r * 0.5, y - r * 0.35, box.right() - r * 0.4, y + r * 0.35, box.right(),
                         y);
            painter.drawPath(path);
        }
        break;
    case Emblem::Rule:
        painter.setPen(QPen(colour, 2));
        for (int stalk = 0; stalk < 3; ++stalk) {
            const qreal x = box.left() + r * 0.5 + stalk * r * 0.5;
            painter.drawLine(QPointF(x, box.bottom()), QPointF(x, box.top() + r * 0.3));
            painter.setBrush(colour);
            painter.drawEllipse(QPointF(x, box.top() + r * 0.3), r * 0.12, r * 0.3);
        }
        break;
    }
    painter.restore();
}

} // namespace

int pictureLinkLeft(int number) {
    return kPictureLinkLefts.at(static_cast<size_t>(number - 1));
}

QString pictureLinkPath(int number) {
    return QString::fromLatin1(kPictureLinkTable.at(static_cast<size_t>(number - 1)).path);
}

QString pictureLinkAddress(int number) {
    return QStringLiteral("http://") + hosts::site() + pictureLinkPath(number);
}

QPixmap pictureLinkImage(int number) {
    const PictureLink& link = kPictureLinkTable.at(static_cast<size_t>(number - 1));
    QImage image(kPictureLinkWidth, kPictureLinkHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 0, 0, kPictureLinkHeight);
    shade.setColorAt(0, QColor::fromRgba(link.top));
    shade.setColorAt(1, QColor::fromRgba(link.bottom));
    painter.setBrush(shade);
    painter.setPen(QPen(QColor(255, 255, 255, 160), 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, kPictureLinkWidth - 1, kPictureLinkHeight - 1), 7, 7);
    drawEmblem(painter, link.emblem, QRectF(8, 14, 32, 32), QColor(0xf7, 0x7f, 0x00));
    painter.setPen(Qt::white);
    painter.setFont(boldFont(15));
    painter.drawText(QRectF(44, 8, 72, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromLatin1(link.line1));
    painter.drawText(QRectF(44, 29, 72, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromLatin1(link.line2));
    painter.end();
    return QPixmap::fromImage(image);
}

QPixmap sampleLogo(int number) {
    const Logo& logo = kLogoTable.at(static_cast<size_t>(number - 1));
    QImage image(kLogoWidth, kLogoHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromRgba(logo.background));
    painter.setPen(QPen(QColor::fromRgba(logo.border), 2));
    painter.drawRoundedRect(QRectF(1, 1, kLogoWidth - 2, kLogoHeight - 2), 6, 6);
    drawEmblem(painter, logo.emblem, QRectF(9, 10, 36, 36), QColor::fromRgba(logo.emblemColour));
    painter.setPen(QColor::fromRgba(logo.text1));
    painter.setFont(boldFont(13));
    painter.drawText(QRectF(52, 6, 144, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromLatin1(logo.line1));
    painter.setPen(QColor::fromRgba(logo.text2));
    painter.setFont(boldFont(number == 3 ? 15 : 20, number == 2 ? "Liberation Serif" : "Liberation Sans"));
    painter.drawText(QRectF(52, 25, 144, 26), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromLatin1(logo.line2));
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace statdesk
