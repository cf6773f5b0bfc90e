#include "GermanNumbers.h"

#include <clocale>
#include <cstring>

namespace statdesk::test {

GermanNumbers::GermanNumbers() : m_previousC(std::setlocale(LC_ALL, nullptr)) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
}

GermanNumbers::~GermanNumbers() {
    std::setlocale(LC_ALL, m_previousC.c_str());
    QLocale::setDefault(m_previousQt);
}

bool GermanNumbers::active() const {
    return std::strcmp(std::localeconv()->decimal_point, ",") == 0 &&
           QLocale().decimalPoint() == QStringLiteral(",");
}

} // namespace statdesk::test
