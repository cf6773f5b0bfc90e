#pragma once

#include "QueryRequest.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace statdesk {

class TableWindow;

// The select dialog: the values still possible under a window's criteria, from the service; the
// chosen ones become one criteria group of the window.
class TBtnRightDlg1 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBtnRightDlg1)

  public:
    explicit TBtnRightDlg1(QWidget* parent = nullptr);
    ~TBtnRightDlg1() override;

    // The whole command on window: list request (three hosts), dialog, and on OK the new group and
    // Refetch. When every host fails nothing is shown and nothing changes.
    void SelectValues(TableWindow& window, ListKind kind);

    // The chosen values, sorted without regard to case.
    const QStringList& chosen() const { return m_chosen; }

    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fill(const QStringList& values);
    void choose(const QString& text);
    void unchoose(const QString& text);
    void showChosen();

    QStringList m_chosen;
};

} // namespace statdesk
