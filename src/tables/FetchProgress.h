#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <QString>

namespace statdesk {

// The progress of a long read of rows: rows done of rows in all, and Cancel. It appears only when
// the read lasts; until then nothing flickers.
class FetchProgress final {
  public:
    FetchProgress(QWidget* parent, const QString& title, const QString& verb);
    ~FetchProgress();
    Q_DISABLE_COPY_MOVE(FetchProgress)

    // A ResultReader progress: shows the figures and lets events run; false once Cancel was pressed.
    bool operator()(long long done, long long total);

  private:
    QPointer<QProgressDialog> m_dialog;
    QString m_verb;
};

} // namespace statdesk
