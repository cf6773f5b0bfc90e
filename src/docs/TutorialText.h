#pragma once

#include <QString>
#include <QStringList>

// The built-in instructions and tutorial of the instructions window.
namespace statdesk {

QString tutorialCaption();

// The lines of the tutorial, in order.
QStringList tutorialText();

} // namespace statdesk
