#include "ColorOptionsDialog.h"

#include "RowBand.h"
#include "TableDialogLook.h"
#include "TableWindow.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace statdesk {
namespace {

constexpr int kBlue = 12; // positions in the colour table
constexpr int kRed = 9;

// A frame of the sixteen colours in two columns of eight, each button on its own colour.
std::array<QRadioButton*, 16> addColorFrame(QWidget* parent, const char* name, const QString& title,
                                            const QRect& at, int firstButton, int chosen) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(at);
    std::array<QRadioButton*, 16> buttons{};
    const auto colours = colorChoices();
    for (int i = 0; i < 16; ++i) {
        const QColor colour = QColor::fromRgb(colours[static_cast<size_t>(i)].rgb);
        auto* button = new QRadioButton(QString::fromLatin1(colours[static_cast<size_t>(i)].name), frame);
        button->setObjectName(QStringLiteral("RadioButton%1").arg(firstButton + i));
        button->setGeometry(10 + (i / 8) * 84, 20 + (i % 8) * 21, 78, 19);
        // A style sheet, because not every platform style paints a radio button's palette background.
        button->setStyleSheet(
            QStringLiteral("QRadioButton { background-color: %1; color: %2; padding-left: 2px; }")
                .arg(colour.name(),
                     colour.lightness() < 128 ? QStringLiteral("white") : QStringLiteral("black")));
        buttons[static_cast<size_t>(i)] = button;
    }
    buttons[static_cast<size_t>(chosen)]->setChecked(true);
    return buttons;
}

template <size_t N> int checkedPosition(const std::array<QRadioButton*, N>& buttons) {
    for (size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    return 0;
}

} // namespace

TBtnBottomDlg::TBtnBottomDlg(QWidget* parent) : QDialog(parent) {
    setUpTableDialog(*this, "BtnBottomDlg", QStringLiteral("Color options for Player Database"), 375, 305);

    auto* alternate = new QLabel(QStringLiteral("Alternate by:"), this);
    alternate->setGeometry(8, 10, 80, 16);
    static const char* const keyNames[] = {"RadioButton1", "RadioButton2", "RadioButton19", "RadioButton36"};
    static const char* const keyLabels[] = {"&Player", "&Team", "&Year", "&League"};
    auto* keys = new QButtonGroup(this);
    for (size_t i = 0; i < 4; ++i) {
        KeyButtons[i] = new QRadioButton(QString::fromLatin1(keyLabels[i]), this);
        KeyButtons[i]->setObjectName(QString::fromLatin1(keyNames[i]));
        KeyButtons[i]->setGeometry(92 + static_cast<int>(i) * 70, 8, 68, 20);
        keys->addButton(KeyButtons[i]);
    }
    KeyButtons[0]->setChecked(true);
    ColorSet1Buttons =
        addColorFrame(this, "GroupBox1", QStringLiteral("Color set 1"), QRect(8, 36, 176, 196), 3, kBlue);
    ColorSet2Buttons =
        addColorFrame(this, "GroupBox2", QStringLiteral("Color set 2"), QRect(191, 36, 176, 196), 20, kRed);
    std::tie(OKBtn, CancelBtn) = addOkCancel(*this, {110, 266, 75, 25}, {191, 266, 75, 25});
    connect(this, &QDialog::accepted, this, &TBtnBottomDlg::OKBtnClick);
}

TBtnBottomDlg::~TBtnBottomDlg() = default;

void TBtnBottomDlg::OKBtnClick() {
    ColorSettings& settings = colorSettings();
    const auto colours = colorChoices();
    settings.AlternateBy = checkedPosition(KeyButtons);
    settings.ColorSet1 = QColor::fromRgb(colours[static_cast<size_t>(checkedPosition(ColorSet1Buttons))].rgb);
    settings.ColorSet2 = QColor::fromRgb(colours[static_cast<size_t>(checkedPosition(ColorSet2Buttons))].rgb);
}

void TBtnBottomDlg::ColorOptions(TableWindow* active) {
    if (active) {
        const bool players = active->family() == Family::Players;
        static const char* const playerLabels[] = {"&Player", "&Team", "&Year"};
        static const char* const teamLabels[] = {"&Team", "&Year", "&Division"};
        for (size_t i = 0; i < 3; ++i)
            KeyButtons[i]->setText(QString::fromLatin1(players ? playerLabels[i] : teamLabels[i]));
        KeyButtons[3]->setText(QStringLiteral("&League"));
        KeyButtons[3]->setVisible(!players);
        setWindowTitle(players ? QStringLiteral("Player Database Color Options")
                               : QStringLiteral("Team Database Color Options"));
    }
    // Cancel keeps the buttons as the user left them; they show that choice next time.
    if (exec() == QDialog::Accepted && active)
        active->Redraw();
}

} // namespace statdesk
