#include "ChoiceList.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>

namespace statdesk {

ChoiceList::ChoiceList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::MultiSelection);
    setUniformItemSizes(true);
}

ChoiceList::~ChoiceList() = default;

void ChoiceList::moveCurrentTo(int row) {
    if (row < 0 || row >= count())
        return;
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
}

// Typed letters within the platform's typing interval add up to one prefix; the first entry that
// starts with it (at or after the current one when the prefix grows) becomes current.
void ChoiceList::keyboardSearch(const QString& search) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool continues = now - m_lastTypedMs <= QApplication::keyboardInputInterval();
    m_lastTypedMs = now;
    m_typed = continues ? m_typed + search : search;
    const int start = continues ? std::max(0, currentRow()) : currentRow() + 1;
    for (int step = 0; step < count(); ++step) {
        const int row = (start + step) % count();
        if (item(row)->text().startsWith(m_typed, Qt::CaseInsensitive)) {
            moveCurrentTo(row);
            return;
        }
    }
}

void ChoiceList::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, viewport()->height() / std::max(1, sizeHintForRow(0)));
    const int row = currentRow();
    switch (event->key()) {
    case Qt::Key_Up:
        moveCurrentTo(row - 1);
        break;
    case Qt::Key_Down:
        moveCurrentTo(row + 1);
        break;
    case Qt::Key_PageUp:
        moveCurrentTo(std::max(0, row - page));
        break;
    case Qt::Key_PageDown:
        moveCurrentTo(std::min(count() - 1, row + page));
        break;
    case Qt::Key_Home:
        moveCurrentTo(0);
        break;
    case Qt::Key_End:
        moveCurrentTo(count() - 1);
        break;
    case Qt::Key_Space:
        if (currentIndex().isValid())
            selectionModel()->select(currentIndex(), QItemSelectionModel::Toggle);
        break;
    default:
        QListWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace statdesk
