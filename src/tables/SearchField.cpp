#include "SearchField.h"

#include <QKeyEvent>

namespace statdesk {

SearchField::SearchField(QWidget* parent) : QLineEdit(parent) {}

SearchField::~SearchField() = default;

void SearchField::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Down:
        emit downPressed();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterPressed();
        break;
    case Qt::Key_Escape:
        if (text().isEmpty()) {
            event->ignore();
            return;
        }
        clear();
        break;
    default:
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace statdesk
