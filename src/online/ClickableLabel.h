#pragma once

#include <QLabel>

namespace statdesk {

// A label on the band that reports a left click released over it; what the click does is the owner's.
class ClickableLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickableLabel)
  public:
    explicit ClickableLabel(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace statdesk
