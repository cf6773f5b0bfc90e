#pragma once

#include "RowCache.h"

#include <string_view>

namespace statdesk {

// The records of a table window as cell painting and band computation read them. The window
// adapts its row cache to this, so the formats and bands need no window to be used or tested.
class RowSource {
  public:
    virtual ~RowSource() = default;
    // Texts are the reply's Windows-1252 bytes; a field of the other type gives "" or 0.
    virtual std::string_view text(int record, int field) const = 0;
    virtual double number(int record, int field) const = 0;
};

// A window's row cache read as a RowSource.
class CacheRows final : public RowSource {
  public:
    explicit CacheRows(const RowCache& rows) : m_rows(rows) {}
    std::string_view text(int record, int field) const override { return m_rows.text(record, field); }
    double number(int record, int field) const override { return m_rows.number(record, field); }

  private:
    const RowCache& m_rows;
};

} // namespace statdesk
