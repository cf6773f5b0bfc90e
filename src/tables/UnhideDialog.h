#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace statdesk {

class TableWindow;

// "Unhide Columns": the hidden columns of the active table window, to bring back some or all.
class TForm11 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm11)

  public:
    // Result of "&Unhide all".
    static constexpr int UnhideAll = 2;

    explicit TForm11(QWidget* parent = nullptr);
    ~TForm11() override;

    // Fills the list from window's hidden columns, shows the dialog and applies its result.
    void UnhideColumns(TableWindow& window);

    QListWidget* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
};

} // namespace statdesk
