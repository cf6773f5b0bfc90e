#include "LinkLabel.h"

#include "Seams.h"

#include <QMouseEvent>

namespace statdesk {

LinkLabel::LinkLabel(const QString& text, QString address, QWidget* parent)
    : QLabel(text, parent), m_address(std::move(address)) {
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        seams::opener().open(m_address);
    QLabel::mouseReleaseEvent(event);
}

} // namespace statdesk
