#pragma once

#include <QString>

#include <stdexcept>

namespace statdesk {

// Why the brand tool refuses a description, a logo or a program; the text is shown to the user.
class BrandToolError : public std::runtime_error {
  public:
    explicit BrandToolError(const QString& message);
    QString message() const;
};

} // namespace statdesk
