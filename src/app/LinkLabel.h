#pragma once

#include <QLabel>

namespace statdesk {

// A blue underlined label with the hand cursor that opens its address when clicked.
class LinkLabel final : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& text, QString address, QWidget* parent = nullptr);
    QString address() const { return m_address; }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString m_address;
};

} // namespace statdesk
