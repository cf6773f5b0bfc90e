#pragma once

#include <QDialog>

namespace statdesk {

class THttpCli;

// The sort options window, created once at start-up. Besides sorting it owns HttpCli6, the one
// client every usage event goes through; that client never uses the proxy.
class TFormSort3 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSort3)

  public:
    explicit TFormSort3(QWidget* parent = nullptr);
    ~TFormSort3() override;

    // Sends one usage event line and waits; failures are thrown as EHttpException.
    void postline(const QString& line);
    THttpCli& HttpCli6() { return *m_httpCli6; }

  private:
    THttpCli* m_httpCli6;
};

} // namespace statdesk
