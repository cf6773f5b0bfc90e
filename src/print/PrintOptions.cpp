#include "PrintOptions.h"

#include "NumberText.h"
#include "PrintColumns.h"
#include "PrintDefinitionFile.h"

#include <algorithm>

namespace statdesk {
namespace {

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const QString kEighty = QStringLiteral("   80");

int lookup(const PrintOptions::WidthTable& table, int count, const QString& name) {
    for (int i = count - 1; i >= 0; --i)
        if (table[static_cast<size_t>(i)].name == name)
            return table[static_cast<size_t>(i)].width;
    return 0;
}

int wholeNumber(const QString& text) {
    return readWholeInt(text.toLatin1().toStdString());
}

QStringList tableOrder(Family family) {
    QStringList names;
    for (const PrintColumn& column : printColumns(family))
        names.append(latin1(column.longName));
    return names;
}

} // namespace

void PrintOptions::prepare(Family family) {
    m_family = family;
    AvailableList = tableOrder(family);
    PrintList.clear();
    m_printWidths = {};
    m_nominalWidths = {};
    const auto columns = printColumns(family);
    m_count = static_cast<int>(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        m_printWidths[i] = {columns[i].defaultWidth, latin1(columns[i].longName)};
        m_nominalWidths[i] = {columns[i].nominalWidth, latin1(columns[i].longName)};
    }
    m_fitToPage = true;
    m_minimumText = kEighty;
    m_maximumText = kEighty;
}

bool PrintOptions::include(int availableRow) {
    if (availableRow < 0 || availableRow >= AvailableList.size())
        return false;
    PrintList.append(AvailableList.takeAt(availableRow));
    return true;
}

void PrintOptions::includeAll() {
    PrintList.append(AvailableList);
    AvailableList.clear();
}

bool PrintOptions::exclude(int printRow) {
    if (printRow < 0 || printRow >= PrintList.size())
        return false;
    PrintList.removeAt(printRow);
    AvailableList.clear();
    for (const QString& name : tableOrder(m_family))
        if (!PrintList.contains(name))
            AvailableList.append(name);
    return true;
}

void PrintOptions::excludeAll() {
    PrintList.clear();
    AvailableList = tableOrder(m_family);
}

void PrintOptions::setWidthText(const QString& name, const QString& text) {
    const int width = wholeNumber(text);
    for (int i = 0; i < m_count; ++i)
        if (m_printWidths[static_cast<size_t>(i)].name == name)
            m_printWidths[static_cast<size_t>(i)].width = width;
}

void PrintOptions::setFitToPage(bool fit) {
    m_fitToPage = fit;
    (fit ? m_maximumText : m_minimumText) = kEighty;
}

void PrintOptions::setMinimumText(const QString& text) {
    m_minimumText = fieldText(text);
}

void PrintOptions::setMaximumText(const QString& text) {
    m_maximumText = fieldText(text);
}

void PrintOptions::apply(const PrintDefinition& definition) {
    m_fitToPage = definition.fitToPage;
    m_maximumText = fieldText(definition.maximumText);
    m_minimumText = fieldText(definition.minimumText);
    m_count = static_cast<int>(std::min<qsizetype>(definition.entries.size(), TableCapacity));
    for (int i = 0; i < m_count; ++i) {
        const WidthEntry& entry = definition.entries[i];
        m_printWidths[static_cast<size_t>(i)] = {entry.width, entry.name.left(NameLength)};
    }
    AvailableList = definition.available;
    PrintList = definition.print;
}

int PrintOptions::printWidth(const QString& name) const {
    return lookup(m_printWidths, m_count, name);
}

int PrintOptions::nominalWidth(const QString& name) const {
    return lookup(m_nominalWidths, m_count, name);
}

int PrintOptions::minimumCharacters() const {
    return wholeNumber(m_minimumText);
}

int PrintOptions::maximumCharacters() const {
    return wholeNumber(m_maximumText);
}

QString PrintOptions::fieldText(const QString& text) {
    return text.trimmed().rightJustified(FieldLength, QLatin1Char(' '), true);
}

} // namespace statdesk
