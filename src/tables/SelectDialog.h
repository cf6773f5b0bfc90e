#pragma once

#include "QueryRequest.h"
#include "SearchIndex.h"

#include <QDialog>
#include <QStringList>

class QItemSelection;
class QLabel;
class QListWidget;
class QPushButton;

namespace statdesk {

class SearchField;
class TableWindow;

// The select dialog: the values still possible under a window's criteria, from the service; the
// chosen ones become one criteria group of the window. A search field above the list narrows it to
// the values containing the typed text; a value chosen stays chosen while the narrowing hides it.
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

    SearchField* SearchEdit = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fill(const QStringList& values);
    void narrow(const QString& typed);
    void chooseFromSearch();
    void onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void choose(const QString& text);
    void unchoose(const QString& text);
    void showChosen();

    QStringList m_values;
    SearchIndex m_index;
    std::vector<int> m_shown;   // the value of each row of the list
    std::vector<bool> m_picked; // per value: its item is chosen, shown or not
    bool m_refilling = false;
    // The user went into the list by keyboard since the text last changed; its current item is theirs.
    bool m_movedToList = false;
    QStringList m_chosen;
};

} // namespace statdesk
