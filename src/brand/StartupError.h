#pragma once

#include <QString>

#include <stdexcept>

namespace statdesk {

// A fatal failure while reading the brand record at start-up; the program reports it and ends.
class StartupError : public std::runtime_error {
  public:
    explicit StartupError(const QString& message);
    QString message() const;
};

} // namespace statdesk
