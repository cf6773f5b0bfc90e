#include "TFormSort3.h"

#include "THttpCli.h"
#include "UsageEvent.h"

namespace statdesk {

TFormSort3::TFormSort3(QWidget* parent) : QDialog(parent), m_httpCli6(new THttpCli(this)) {
    setObjectName(QStringLiteral("TFormSort3"));
}

TFormSort3::~TFormSort3() = default;

void TFormSort3::postline(const QString& line) {
    statdesk::postline(*m_httpCli6, line);
}

} // namespace statdesk
