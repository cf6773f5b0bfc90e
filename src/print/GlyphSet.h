#pragma once

#include <QChar>
#include <QImage>

#include <array>

namespace statdesk {

// The 67 character images a printed report is drawn with, loaded from the program's resources.
// A report pass loads them once and lets them go when it ends.
class GlyphSet {
  public:
    GlyphSet();

    // The image of c, or nullptr for a character without one (the space, "%", "/" and the like).
    const QImage* glyph(QChar c) const;
    // False when a resource image is missing; printing then would leave silent gaps.
    bool isComplete() const { return m_complete; }

    // The resource name of c's image ("R-UA", "R-LA", "R-0", "R-COMMA"), or empty.
    static QString resourceName(QChar c);

  private:
    std::array<QImage, 128> m_images; // by character code
    bool m_complete = true;
};

} // namespace statdesk
