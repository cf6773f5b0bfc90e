#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace statdesk {

class TableWindow;

// The limit dialog: one column with a minimum and a maximum, appended as one criteria group.
class TBtnRightDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBtnRightDlg)

  public:
    explicit TBtnRightDlg(QWidget* parent = nullptr);
    ~TBtnRightDlg() override;

    // The whole command on window: the dialog, then on OK the limit group, Refetch and Redraw.
    void LimitWindow(TableWindow& window);

    QListWidget* ListBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace statdesk
