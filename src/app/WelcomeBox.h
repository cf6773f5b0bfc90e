#pragma once

#include <QDialog>

namespace statdesk {

// Shown once per run in showcase mode.
class TForm17 final : public QDialog {
    Q_OBJECT
  public:
    explicit TForm17(QWidget* parent = nullptr);
};

} // namespace statdesk
