#pragma once

#include <QLocale>

#include <string>

namespace statdesk::test {

// Switches the C library and Qt to German number formats (decimal comma) while it lives; the set-up
// script installs the "de_DE.UTF-8" locale. Check active() before trusting the switch.
class GermanNumbers final {
  public:
    GermanNumbers();
    ~GermanNumbers();
    GermanNumbers(const GermanNumbers&) = delete;
    GermanNumbers& operator=(const GermanNumbers&) = delete;

    // True when both the C library's and Qt's decimal point are now ",".
    bool active() const;

  private:
    std::string m_previousC;
    QLocale m_previousQt;
};

} // namespace statdesk::test
