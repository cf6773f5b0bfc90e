#include "PrintDefinitionFile.h"

#include "NumberText.h"

#include <limits>

namespace statdesk {
namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// The file's lines one by one; CR LF, a lone LF or a lone CR ends a line.
class LineReader {
  public:
    explicit LineReader(const QByteArray& bytes) : m_bytes(bytes) {}

    // The next line, or nothing at the end of the file.
    std::optional<QByteArray> next() {
        if (m_pos >= m_bytes.size())
            return std::nullopt;
        qsizetype end = m_pos;
        while (end < m_bytes.size() && m_bytes[end] != '\r' && m_bytes[end] != '\n')
            ++end;
        QByteArray line = m_bytes.mid(m_pos, end - m_pos);
        if (end < m_bytes.size() && m_bytes[end] == '\r' && end + 1 < m_bytes.size() &&
            m_bytes[end + 1] == '\n')
            ++end;
        m_pos = end + 1;
        ++m_line;
        return line;
    }
    int lineNumber() const { return m_line; }

  private:
    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
    int m_line = 0;
};

struct BadFile {
    PrintDefinitionError error;
};

class DefinitionParser {
  public:
    explicit DefinitionParser(const QByteArray& bytes) : m_lines(bytes) {}

    PrintDefinition parse() {
        PrintDefinition definition;
        definition.fitToPage = text(QStringLiteral("the fit mode")) == QLatin1String("TRUE");
        definition.maximumText = field(QStringLiteral("the maximum characters per line"));
        definition.minimumText = field(QStringLiteral("the minimum characters per line"));
        const long long entries = count(QStringLiteral("the number of width entries"));
        if (entries > PrintOptions::TableCapacity)
            throw BadFile{
                {m_lines.lineNumber(), QStringLiteral("line %1 holds %2 width entries, more than the %3 "
                                                      "the table can take")
                                           .arg(m_lines.lineNumber())
                                           .arg(entries)
                                           .arg(PrintOptions::TableCapacity)}};
        for (int i = 1; i <= entries; ++i) {
            PrintOptions::WidthEntry entry;
            entry.name = text(QStringLiteral("the name of entry %1").arg(i)).left(PrintOptions::NameLength);
            const QString expected = QStringLiteral("the width of entry %1").arg(i);
            const long long width = number(expected);
            if (width < std::numeric_limits<int>::min() || width > std::numeric_limits<int>::max())
                fail(expected);
            entry.width = static_cast<int>(width);
            definition.entries.append(entry);
        }
        definition.available =
            names(QStringLiteral("the number of available columns"), QStringLiteral("available column %1"));
        definition.print =
            names(QStringLiteral("the number of columns to print"), QStringLiteral("column to print %1"));
        return definition;
    }

  private:
    QByteArray line(const QString& expected) {
        std::optional<QByteArray> next = m_lines.next();
        if (!next) {
            const int missing = m_lines.lineNumber() + 1;
            throw BadFile{{missing, QStringLiteral("the file ends before line %1, which should hold %2")
                                        .arg(QString::number(missing), expected)}};
        }
        m_current = *next;
        return *next;
    }

    QString text(const QString& expected) { return QString::fromLatin1(line(expected)); }

    // The current line does not hold what it should.
    [[noreturn]] void fail(const QString& expected) {
        throw BadFile{{m_lines.lineNumber(), QStringLiteral("line %1 should hold %2, but holds \"%3\"")
                                                 .arg(QString::number(m_lines.lineNumber()), expected,
                                                      QString::fromLatin1(m_current))}};
    }

    // A line field: up to five digits, blanks around them allowed.
    QString field(const QString& expected) {
        const QString value = text(expected).trimmed();
        bool digitsOnly = value.size() <= PrintOptions::FieldLength;
        for (QChar c : value)
            digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!digitsOnly)
            fail(expected + QStringLiteral(" (up to five digits)"));
        return PrintOptions::fieldText(value);
    }

    // A number line: the text-to-whole-number rule, which here must find at least one digit.
    long long number(const QString& expected) {
        const QByteArray raw = line(expected);
        const qsizetype point = raw.indexOf('.');
        const QByteArray head = point < 0 ? raw : raw.left(point);
        qsizetype i = 0;
        while (i < head.size() && head[i] == ' ')
            ++i;
        if (i < head.size() && (head[i] == '-' || head[i] == '+'))
            ++i;
        if (i >= head.size() || head[i] < '0' || head[i] > '9')
            fail(expected);
        return readWholeNumber(std::string_view(head.constData(), static_cast<size_t>(head.size())));
    }

    long long count(const QString& expected) {
        const long long value = number(expected);
        if (value < 0)
            fail(expected);
        return value;
    }

    QStringList names(const QString& countExpected, const QString& nameExpected) {
        const long long size = count(countExpected);
        QStringList list;
        for (long long i = 1; i <= size; ++i)
            list.append(text(nameExpected.arg(i)));
        return list;
    }

    LineReader m_lines;
    QByteArray m_current;
};

void writeLine(QByteArray& out, const QString& text) {
    out += text.toLatin1();
    out += kLineEnd;
}

void writeList(QByteArray& out, const QStringList& names) {
    writeLine(out, QString::number(names.size()));
    for (const QString& name : names)
        writeLine(out, name);
}

} // namespace

QByteArray writePrintDefinition(const PrintOptions& options) {
    QByteArray out;
    writeLine(out, options.fitToPage() ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    writeLine(out, options.maximumText());
    writeLine(out, options.minimumText());
    writeLine(out, QString::number(options.tableCount()));
    for (int i = 0; i < options.tableCount(); ++i) {
        const PrintOptions::WidthEntry& entry = options.PrintWidthTable()[static_cast<size_t>(i)];
        writeLine(out, entry.name);
        writeLine(out, QString::number(entry.width));
    }
    writeList(out, options.AvailableList);
    writeList(out, options.PrintList);
    return out;
}

PrintDefinitionReading readPrintDefinition(const QByteArray& bytes) {
    try {
        return {DefinitionParser(bytes).parse(), {}};
    } catch (const BadFile& bad) {
        return {std::nullopt, bad.error};
    }
}

std::optional<PrintDefinitionError> loadPrintDefinition(const QByteArray& bytes, PrintOptions& options) {
    PrintDefinitionReading reading = readPrintDefinition(bytes);
    if (!reading.definition)
        return reading.error;
    options.apply(*reading.definition);
    return std::nullopt;
}

} // namespace statdesk
