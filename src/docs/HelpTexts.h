#pragma once

#include <QString>
#include <QStringList>

// The built-in help texts of the help text window: each is a title line, an empty line and the
// body, written into the window line by line.
namespace statdesk {

enum class HelpText { PlayerDefinitions, TeamDefinitions, DataSources };

// The window caption the text is shown under.
QString helpCaption(HelpText text);

// The lines of the text, title first.
QStringList helpTextLines(HelpText text);

QStringList playerDefinitionsText();
QStringList teamDefinitionsText();
QStringList dataSourcesText();

} // namespace statdesk
