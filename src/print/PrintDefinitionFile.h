#pragma once

#include "PrintOptions.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Print definition files (*.BKP, *.BKT): the print options as text lines ending in CR LF. The file
// carries no family; its extension tells them apart.
namespace statdesk {

// The saved part of the print options, as read from a file.
struct PrintDefinition {
    bool fitToPage = false; // line 1 exactly "TRUE"; any other text means don't fit
    QString maximumText;    // five characters, as the field shows it
    QString minimumText;
    QList<PrintOptions::WidthEntry> entries; // at most TableCapacity, names cut to NameLength
    QStringList available;
    QStringList print;
};

struct PrintDefinitionError {
    int line = 0; // 1-based line where reading stopped
    QString text; // what was wrong there, starting with the line, e.g. "line 4 should hold ..."
};

QByteArray writePrintDefinition(const PrintOptions& options);

struct PrintDefinitionReading {
    std::optional<PrintDefinition> definition;
    PrintDefinitionError error; // when definition is empty
};

// Reads the whole file before anything is used, so that a bad file changes nothing.
// Number lines follow the text-to-whole-number rule but must hold a digit where the rule reads one:
// " 7", "7x" and "7.9" read as 7; "", "x7", "-" and ".5" are errors. Counts must not be negative;
// lines 2 and 3 hold at most five digits with blanks around them.
PrintDefinitionReading readPrintDefinition(const QByteArray& bytes);

// Applies the file to options only when it is complete and well formed; otherwise options stay as
// they were and the error is returned.
std::optional<PrintDefinitionError> loadPrintDefinition(const QByteArray& bytes, PrintOptions& options);

} // namespace statdesk
