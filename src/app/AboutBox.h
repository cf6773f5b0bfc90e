#pragma once

#include <QDialog>

class QLabel;

namespace statdesk {

class TAboutBox final : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);
    QLabel* Label10 = nullptr; // "Version # " and the brand's version text
};

} // namespace statdesk
