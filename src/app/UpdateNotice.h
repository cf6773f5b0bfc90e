#pragma once

#include <QDialog>

class QLabel;

namespace statdesk {

class THttpCli;

// The update notice of a copy the service calls out of date. Its message lines come from the
// maker's notice text when that can be fetched; after it closes the program ends.
class TForm12 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm12)

  public:
    explicit TForm12(QWidget* parent = nullptr);
    ~TForm12() override;

    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;     // the link line: the brand's UpdateAddress unless the notice says otherwise
    THttpCli* HttpCli1 = nullptr; // always direct, never through the proxy

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormActivate();
    void fitAndCentre();
    void widenLines();
    void Label3Click();
};

} // namespace statdesk
