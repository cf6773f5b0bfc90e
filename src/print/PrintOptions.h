#pragma once

#include "ReplyLayout.h"

#include <QString>
#include <QStringList>

#include <array>

// What one print command prints: the chosen columns in order, each column's width in characters, and
// how a line is scaled to the page. The print options dialog edits it; the report reads it.
namespace statdesk {

struct PrintDefinition;

class PrintOptions {
  public:
    static constexpr int TableCapacity = 100;
    static constexpr int NameLength = 100;
    static constexpr int FieldLength = 5;

    struct WidthEntry {
        int width = 0;
        QString name; // long name, at most NameLength characters
        bool operator==(const WidthEntry&) const = default;
    };
    using WidthTable = std::array<WidthEntry, TableCapacity>;

    // Long names not chosen, and the chosen ones in print order. Names are taken as they stand:
    // a loaded file may bring names the family does not have.
    QStringList AvailableList;
    QStringList PrintList;

    // A fresh print command: every column available in table order, default widths, fit to page,
    // both line settings "   80".
    void prepare(Family family);
    Family family() const { return m_family; }

    // The moves between the lists; a row outside its list changes nothing and gives false.
    bool include(int availableRow);
    void includeAll();
    // The returned column goes back to its table position: AvailableList is rebuilt as the
    // family's table order without the names still in PrintList.
    bool exclude(int printRow);
    void excludeAll();

    // A typed width, by the text-to-whole-number rule; every entry of that name gets it.
    void setWidthText(const QString& name, const QString& text);

    // Selecting a mode resets the field the other mode uses to "   80".
    void setFitToPage(bool fit);
    // Typed field texts; kept as shown: the digits right-aligned in five characters.
    void setMinimumText(const QString& text);
    void setMaximumText(const QString& text);
    const QString& minimumText() const { return m_minimumText; }
    const QString& maximumText() const { return m_maximumText; }

    // Replaces the loaded parts: mode and field texts as read, table entries by position, both lists.
    void apply(const PrintDefinition& definition);

    // The two tables share one entry count; lookups see entries 0 to tableCount() - 1 only.
    int tableCount() const { return m_count; }
    const WidthTable& PrintWidthTable() const { return m_printWidths; }
    const WidthTable& NominalWidthTable() const { return m_nominalWidths; }

    // Width of the last entry with exactly this name; 0 when there is none.
    int printWidth(const QString& name) const;
    int nominalWidth(const QString& name) const;
    bool fitToPage() const { return m_fitToPage; }
    int minimumCharacters() const;
    int maximumCharacters() const;

    bool operator==(const PrintOptions&) const = default;

    // A field text as shown: its digits right-aligned, padded with leading spaces to five characters.
    static QString fieldText(const QString& text);

  private:
    Family m_family = Family::Players;
    WidthTable m_printWidths;
    WidthTable m_nominalWidths;
    int m_count = 0;
    bool m_fitToPage = true;
    QString m_minimumText;
    QString m_maximumText;
};

} // namespace statdesk
