#pragma once

#include <QRect>
#include <QString>

#include <utility>

class QDialog;
class QPushButton;

namespace statdesk {

// What the select, limit and colour dialogs share: a bold 8-point sans-serif font, a fixed client
// size, and an OK button (the default, accepting) and a Cancel button (rejecting).
void setUpTableDialog(QDialog& dialog, const char* name, const QString& title, int width, int height);
std::pair<QPushButton*, QPushButton*> addOkCancel(QDialog& dialog, const QRect& ok, const QRect& cancel);

} // namespace statdesk
