#pragma once

#include "DatasetKind.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace statdesk {

class TableWindow;
class THttpCli;

// The sort options window, created once at start-up. It has two separate jobs: the sort dialog, and
// HttpCli6, the one client every usage event goes through (that client never uses the proxy).
class TFormSort3 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSort3)

  public:
    explicit TFormSort3(QWidget* parent = nullptr);
    ~TFormSort3() override;

    // The sort command on window: the dialog, then on OK the new SortCodes and Refetch.
    void SortWindow(TableWindow& window);

    // Remembered field choices per dataset (1 to 4), entry positions with 0 for "NONE".
    using FieldPositions = std::array<int, 4>;
    const FieldPositions& SortMemory(int datasetNumber) const;

    std::array<QLabel*, 4> Labels{};
    std::array<QComboBox*, 4> ComboBoxes{};
    // "&Ascending" of the direction groups RadioGroup1, 2, 3 and 5, in field order.
    std::array<QRadioButton*, 4> Ascending{};
    std::array<QRadioButton*, 4> Descending{};
    QRadioButton* KeepLastSort = nullptr;  // RadioGroup4
    QRadioButton* EraseLastSort = nullptr; // RadioGroup4
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // Sends one usage event line and waits; failures are thrown as EHttpException.
    void postline(const QString& line);
    THttpCli& HttpCli6() { return *m_httpCli6; }

  private:
    void FormCreate();
    void FormActivate();
    void Button1Click();

    THttpCli* m_httpCli6;
    std::array<FieldPositions, 4> m_sortMemory{};
    int m_datasetNumber = 1;
};

} // namespace statdesk
