#pragma once

#include <QLabel>

namespace statdesk {

// A label on the band that reports a left click released over it; what the click does is the owner's.
// A text wider than the label shows cut short with an ellipsis.
class ClickableLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickableLabel)
  public:
    explicit ClickableLabel(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace statdesk
