#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace statdesk {

class TableWindow;

// The colour options: the key column the row colours alternate by and the two colours, one choice
// for all table windows of the run.
class TBtnBottomDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBtnBottomDlg)

  public:
    explicit TBtnBottomDlg(QWidget* parent = nullptr);
    ~TBtnBottomDlg() override;

    // The command: labels and title for the active table window (or as they were when there is
    // none), the dialog, and on OK the settings and the active window's Redraw.
    void ColorOptions(TableWindow* active);

    // RadioButton1, RadioButton2, RadioButton19, RadioButton36.
    std::array<QRadioButton*, 4> KeyButtons{};
    // RadioButton3 to RadioButton18 and RadioButton20 to RadioButton35, in colour table order.
    std::array<QRadioButton*, 16> ColorSet1Buttons{};
    std::array<QRadioButton*, 16> ColorSet2Buttons{};
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  private:
    void OKBtnClick();
};

} // namespace statdesk
