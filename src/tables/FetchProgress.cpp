#include "FetchProgress.h"

#include <QApplication>

#include <algorithm>

namespace statdesk {
namespace {
constexpr int kShowAfterMs = 400;
}

FetchProgress::FetchProgress(QWidget* parent, const QString& title, const QString& verb)
    : m_dialog(new QProgressDialog(parent)), m_verb(verb) {
    m_dialog->setWindowTitle(title);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setCancelButtonText(QStringLiteral("Cancel"));
    m_dialog->setRange(0, 0);
    m_dialog->setValue(0);
}

FetchProgress::~FetchProgress() {
    delete m_dialog;
}

bool FetchProgress::operator()(long long done, long long total) {
    if (!m_dialog)
        return false;
    // The bar counts in thousandths so that results past the range of an int still fit.
    m_dialog->setMaximum(1000);
    m_dialog->setLabelText(QStringLiteral("%1: %2 of %3 rows").arg(m_verb).arg(done).arg(total));
    m_dialog->setValue(total > 0 ? static_cast<int>(std::min(done, total) * 1000 / total) : 0);
    QApplication::processEvents();
    return !m_dialog->wasCanceled();
}

} // namespace statdesk
