#include "BusyAnimation.h"

#include <QPainter>

namespace statdesk {

namespace {
constexpr int kFrameMs = 90;
}

BusyAnimation::BusyAnimation(QWidget* parent) : QWidget(parent) {
    setFixedSize(90, 21);
    m_timer.setInterval(kFrameMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % kFrameCount;
        update();
    });
}

BusyAnimation::~BusyAnimation() = default;

void BusyAnimation::play() {
    m_frame = 0;
    m_timer.start();
    update();
}

void BusyAnimation::stop() {
    m_timer.stop();
}

// A row of dots with a bright one running from left to right.
void BusyAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const int step = width() / kFrameCount;
    const int size = step - 2;
    const int top = (height() - size) / 2;
    for (int i = 0; i < kFrameCount; ++i) {
        const int distance = (m_frame - i + kFrameCount) % kFrameCount;
        const QColor colour = distance == 0   ? QColor(0, 0, 128)
                              : distance == 1 ? QColor(96, 96, 192)
                                              : QColor(200, 200, 220);
        painter.setBrush(colour);
        painter.drawEllipse(i * step + 1, top, size, size);
    }
}

} // namespace statdesk
