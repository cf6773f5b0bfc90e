#include "SearchIndex.h"

#include <QStringMatcher>

#include <algorithm>
#include <numeric>

namespace statdesk {
namespace {

bool isAscii(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Lower-case letters without a decomposition. Names arrive in Windows-1252, whose ð, ø, æ, œ, ß and þ
// stay as they are; the others are typed from a name's own spelling and were sent without their
// strokes (Đorđević as Dordevic).
QStringView plainSpelling(QChar c) {
    switch (c.unicode()) {
    case 0x00DF: // ß
        return u"ss";
    case 0x00E6: // æ
        return u"ae";
    case 0x0153: // œ
        return u"oe";
    case 0x00F8: // ø
        return u"o";
    case 0x00F0: // ð
    case 0x0111: // đ
        return u"d";
    case 0x00FE: // þ
        return u"th";
    case 0x0142: // ł
        return u"l";
    case 0x0131: // ı
        return u"i";
    case 0x0127: // ħ
        return u"h";
    default:
        return {};
    }
}

bool isMark(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

} // namespace

QString SearchIndex::fold(QStringView text) {
    if (isAscii(text))
        return text.toString().toLower();
    // Marks go before case folding: a capital with a mark (İ) has no simple fold of its own.
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString bare;
    bare.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (!isMark(c))
            bare.append(c);
    const QString folded = bare.toCaseFolded();
    QString out;
    out.reserve(folded.size());
    for (QChar c : folded) {
        const QStringView plain = plainSpelling(c);
        if (plain.isEmpty())
            out.append(c);
        else
            out.append(plain);
    }
    return out;
}

void SearchIndex::reset(const QStringList& entries) {
    m_keys.clear();
    m_keys.reserve(entries.size());
    for (const QString& entry : entries)
        m_keys.push_back(fold(entry));
}

std::vector<int> SearchIndex::matching(QStringView typed) const {
    std::vector<int> found;
    if (typed.isEmpty()) {
        found.resize(m_keys.size());
        std::iota(found.begin(), found.end(), 0);
        return found;
    }
    const QStringMatcher matcher(fold(typed));
    for (size_t at = 0; at < m_keys.size(); ++at)
        if (matcher.indexIn(m_keys[at]) >= 0)
            found.push_back(static_cast<int>(at));
    return found;
}

} // namespace statdesk
