#include "DialogDriver.h"
#include "FakeSeams.h"
#include "PrintOptionsDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace statdesk;
using namespace statdesk::test;

namespace {

const QString kPlayersFilter = QStringLiteral("Basketball Players Print Definition File (*.BKP *.bkp)");
const QString kTeamsFilter = QStringLiteral("Basketball Teams Print Definition File (*.BKT *.bkt)");

// Each row as "width|name".
QStringList rowsOf(const QTableWidget* grid) {
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row)
        rows.append((grid->item(row, 0) ? grid->item(row, 0)->text() : QString()) + QLatin1Char('|') +
                    (grid->item(row, 1) ? grid->item(row, 1)->text() : QString()));
    return rows;
}

QByteArray definitionFile(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(TDualListDlg::Result)

class TestPrintOptionsDialog : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void movesShowInBothGridsAndSetTheButtons();
    void includeAtTheLastRowKeepsTheCursorInTheList();
    void lineSettingsSwitchFieldsAndLabels();
    void widthEditorFollowsTheCursorAndReachesTheTable();
    void loadThenSaveThroughTheFileDialogs();
    void cancelledFileDialogsChangeNothing();
    void aBadFileLeavesTheDialogAsItWas();
    void fileErrorsNameTheFile();
    void resultFromTheButtons_data();
    void resultFromTheButtons();
    void keysInTheWidthEditor_data();
    void keysInTheWidthEditor();
    void showingAgainKeepsTheState();

  private:
    void showActive();
    QString path(const QString& name) const { return m_folder->filePath(name); }

    std::unique_ptr<RecordingPresenter> m_presenter;
    std::unique_ptr<ScriptedFileChooser> m_chooser;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<TDualListDlg> m_dialog;
};

void TestPrintOptionsDialog::init() {
    m_presenter = std::make_unique<RecordingPresenter>();
    m_chooser = std::make_unique<ScriptedFileChooser>();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_dialog = std::make_unique<TDualListDlg>();
    m_dialog->prepare(Family::Players);
}

void TestPrintOptionsDialog::cleanup() {
    m_dialog.reset();
    m_folder.reset();
    m_chooser.reset();
    m_presenter.reset();
}

void TestPrintOptionsDialog::showActive() {
    m_dialog->show();
    QApplication::setActiveWindow(m_dialog.get());
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
}

void TestPrintOptionsDialog::movesShowInBothGridsAndSetTheButtons() {
    TDualListDlg& d = *m_dialog;
    showActive();
    QCOMPARE(d.StringGrid1->rowCount(), 76);
    QCOMPARE(rowsOf(d.StringGrid1).mid(0, 3), (QStringList{"33|player name", "7|year", "5|team code"}));
    QCOMPARE(rowsOf(d.StrList), QStringList{"|"}); // an empty list shows one blank row
    QVERIFY(d.IncludeBtn->isEnabled() && d.IncAllBtn->isEnabled());
    QVERIFY(!d.ExcludeBtn->isEnabled() && !d.ExAllBtn->isEnabled());

    d.StringGrid1->setCurrentCell(1, 1); // the name column passes the cursor to the width column
    QCOMPARE(d.StringGrid1->currentColumn(), 0);
    d.IncludeBtn->click();
    d.StringGrid1->setCurrentCell(1, 0);
    d.IncludeBtn->click();
    QCOMPARE(rowsOf(d.StrList), (QStringList{"7|year", "5|team code"}));
    QCOMPARE(rowsOf(d.StringGrid1).mid(0, 3),
             (QStringList{"33|player name", "34|team name", "4|LGE     - league"}));
    QCOMPARE(d.StringGrid1->currentRow(), 1);
    QVERIFY(d.ExcludeBtn->isEnabled() && d.ExAllBtn->isEnabled());

    d.StrList->setCurrentCell(0, 1);
    QCOMPARE(d.StrList->currentColumn(), 0);
    d.ExcludeBtn->click(); // "year" goes back to its place, not to the end
    QCOMPARE(rowsOf(d.StrList), QStringList{"5|team code"});
    QCOMPARE(rowsOf(d.StringGrid1).mid(0, 3), (QStringList{"33|player name", "7|year", "34|team name"}));
    QCOMPARE(d.StringGrid1->rowCount(), 75);

    d.IncAllBtn->click();
    QCOMPARE(rowsOf(d.StringGrid1), QStringList{"|"});
    QCOMPARE(d.StrList->rowCount(), 76);
    QCOMPARE(rowsOf(d.StrList).first(), QStringLiteral("5|team code"));
    QVERIFY(!d.IncludeBtn->isEnabled() && !d.IncAllBtn->isEnabled());
    QVERIFY(d.ExcludeBtn->isEnabled() && d.ExAllBtn->isEnabled());

    d.ExAllBtn->click();
    QCOMPARE(rowsOf(d.StrList), QStringList{"|"});
    QCOMPARE(d.StringGrid1->rowCount(), 76);
    QVERIFY(d.IncludeBtn->isEnabled() && !d.ExcludeBtn->isEnabled() && !d.ExAllBtn->isEnabled());
}

void TestPrintOptionsDialog::includeAtTheLastRowKeepsTheCursorInTheList() {
    TDualListDlg& d = *m_dialog;
    showActive();
    d.StringGrid1->setCurrentCell(75, 0);
    d.IncludeBtn->setFocus();
    QTest::keyClick(d.IncludeBtn, Qt::Key_Space);
    QCOMPARE(d.options().PrintList, QStringList{"pts/min"});
    QCOMPARE(d.StringGrid1->currentRow(), 74);
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus && d.StringGrid1->isAncestorOf(focus)); // focus back in the available grid
}

void TestPrintOptionsDialog::lineSettingsSwitchFieldsAndLabels() {
    TDualListDlg& d = *m_dialog;
    QVERIFY(d.CheckBox1->isChecked());
    QVERIFY(d.MinimumEdit->isEnabled() && d.MinimumLabel->isEnabled());
    QVERIFY(!d.MaximumEdit->isEnabled() && !d.MaximumLabel->isEnabled());
    QCOMPARE(d.MinimumEdit->text(), QStringLiteral("80"));
    QCOMPARE(d.MaximumEdit->text(), QStringLiteral("80"));

    d.MinimumEdit->selectAll();
    QTest::keyClicks(d.MinimumEdit, QStringLiteral("12a3456")); // digits only, five at most
    QCOMPARE(d.MinimumEdit->text(), QStringLiteral("12345"));
    QCOMPARE(d.options().minimumCharacters(), 12345);

    d.RadioButton4->click();
    QVERIFY(!d.options().fitToPage());
    QCOMPARE(d.MinimumEdit->text(), QStringLiteral("80"));
    QCOMPARE(d.options().minimumText(), QStringLiteral("   80"));
    QVERIFY(!d.MinimumEdit->isEnabled() && !d.MinimumLabel->isEnabled());
    QVERIFY(d.MaximumEdit->isEnabled() && d.MaximumLabel->isEnabled());

    d.MaximumEdit->selectAll();
    QTest::keyClicks(d.MaximumEdit, QStringLiteral("132"));
    QCOMPARE(d.options().maximumText(), QStringLiteral("  132"));

    d.CheckBox1->click();
    QVERIFY(d.options().fitToPage());
    QCOMPARE(d.MaximumEdit->text(), QStringLiteral("80"));
    QCOMPARE(d.options().maximumCharacters(), 80);
    QVERIFY(!d.MaximumEdit->isEnabled() && !d.MaximumLabel->isEnabled());
    QVERIFY(d.MinimumEdit->isEnabled() && d.MinimumLabel->isEnabled());
}

void TestPrintOptionsDialog::widthEditorFollowsTheCursorAndReachesTheTable() {
    TDualListDlg& d = *m_dialog;
    showActive();
    d.StringGrid1->setCurrentCell(1, 0);
    d.StringGrid1->setFocus();
    auto* editor = qobject_cast<QLineEdit*>(d.StringGrid1->indexWidget(d.StringGrid1->currentIndex()));
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("7"));
    QVERIFY(editor->hasFocus());
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("12.9"));
    QCOMPARE(d.options().printWidth(QStringLiteral("year")), 12);
    // Only the available grid's width column edits.
    QVERIFY(!d.StringGrid1->indexWidget(d.StringGrid1->model()->index(1, 1)));
    QVERIFY(!d.StrList->indexWidget(d.StrList->currentIndex()));

    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(d.StringGrid1->currentRow(), 2);
    auto* next = qobject_cast<QLineEdit*>(d.StringGrid1->indexWidget(d.StringGrid1->currentIndex()));
    QVERIFY(next);
    QCOMPARE(next->text(), QStringLiteral("5"));
    QVERIFY(next->hasFocus());
    QTest::keyClick(next, Qt::Key_Backspace);
    QCOMPARE(d.options().printWidth(QStringLiteral("team code")), 0);
    QTest::keyClick(next, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d.IncludeBtn);

    d.StringGrid1->setCurrentCell(1, 0);
    d.IncludeBtn->click();
    QCOMPARE(rowsOf(d.StrList), QStringList{"12|year"});
}

void TestPrintOptionsDialog::loadThenSaveThroughTheFileDialogs() {
    TDualListDlg& d = *m_dialog;
    const QByteArray file = definitionFile({"FALSE", "  132", "   60", "2", "year", "-2", "team code", "11",
                                            "1", "team code", "2", "year", "% shoot"});
    QFile source(path(QStringLiteral("small.BKP")));
    QVERIFY(source.open(QIODevice::WriteOnly));
    QCOMPARE(source.write(file), file.size());
    source.close();

    m_chooser->next = QStringList{source.fileName()};
    d.BitBtn1->click();
    QCOMPARE(m_presenter->messages, QStringList());
    QCOMPARE(rowsOf(d.StringGrid1), QStringList{"11|team code"});
    QCOMPARE(rowsOf(d.StrList), (QStringList{"-2|year", "0|% shoot"})); // beyond the table: width 0
    QVERIFY(d.RadioButton4->isChecked());
    QCOMPARE(d.MaximumEdit->text(), QStringLiteral("132"));
    QCOMPARE(d.MinimumEdit->text(), QStringLiteral("60"));
    QVERIFY(d.MaximumEdit->isEnabled() && !d.MinimumEdit->isEnabled());
    QVERIFY(d.IncludeBtn->isEnabled() && d.ExcludeBtn->isEnabled());

    const QString copy = path(QStringLiteral("copy.BKP"));
    m_chooser->next = QStringList{copy};
    d.BitBtn2->click();
    QFile saved(copy);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), file);
    QCOMPARE(m_chooser->calls,
             (QStringList{QStringLiteral("open|") + kPlayersFilter + QStringLiteral("|BKP"),
                          QStringLiteral("save|") + kPlayersFilter + QStringLiteral("|BKP")}));
}

void TestPrintOptionsDialog::cancelledFileDialogsChangeNothing() {
    TDualListDlg& d = *m_dialog;
    d.prepare(Family::Teams);
    d.StringGrid1->setCurrentCell(0, 0);
    d.IncludeBtn->click();
    const PrintOptions before = d.options();
    d.BitBtn1->click();
    d.BitBtn2->click();
    QCOMPARE(m_chooser->calls,
             (QStringList{QStringLiteral("open|") + kTeamsFilter + QStringLiteral("|BKT"),
                          QStringLiteral("save|") + kTeamsFilter + QStringLiteral("|BKT")}));
    QVERIFY(d.options() == before);
    QCOMPARE(rowsOf(d.StrList), QStringList{"7|year"});
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList());
    QCOMPARE(m_presenter->messages, QStringList());
}

void TestPrintOptionsDialog::aBadFileLeavesTheDialogAsItWas() {
    TDualListDlg& d = *m_dialog;
    d.StringGrid1->setCurrentCell(3, 0);
    d.IncludeBtn->click();
    d.RadioButton4->click();
    d.MaximumEdit->setText(QString());
    QTest::keyClicks(d.MaximumEdit, QStringLiteral("99"));
    const PrintOptions before = d.options();
    const QStringList available = rowsOf(d.StringGrid1);
    const QStringList chosen = rowsOf(d.StrList);
    QCOMPARE(chosen, QStringList{"34|team name"});

    // Mode, fields and the first entries are well formed; the count is not.
    const QString bad = path(QStringLiteral("bad.BKP"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(definitionFile({"TRUE", "   70", "   70", "101", "year", "5"}));
    file.close();
    m_chooser->next = QStringList{bad};
    d.BitBtn1->click();

    QCOMPARE(
        m_presenter->messages,
        QStringList{
            QStringLiteral("Error|Cannot load print settings from \"") + QDir::toNativeSeparators(bad) +
            QStringLiteral("\": line 4 holds 101 width entries, more than the 100 the table can take.")});
    QVERIFY(d.options() == before);
    QCOMPARE(rowsOf(d.StringGrid1), available);
    QCOMPARE(rowsOf(d.StrList), chosen);
    QVERIFY(d.RadioButton4->isChecked());
    QCOMPARE(d.MaximumEdit->text(), QStringLiteral("99"));
    QCOMPARE(d.MinimumEdit->text(), QStringLiteral("80"));
}

void TestPrintOptionsDialog::fileErrorsNameTheFile() {
    TDualListDlg& d = *m_dialog;
    const QString missing = path(QStringLiteral("missing.BKP"));
    const QString nowhere = path(QStringLiteral("no folder/x.BKP"));
    m_chooser->next = QStringList{missing, nowhere};
    d.BitBtn1->click();
    d.BitBtn2->click();
    QCOMPARE(m_presenter->messages.size(), 2);
    QVERIFY2(m_presenter->messages[0].startsWith(QStringLiteral("Error|Cannot load print settings from \"") +
                                                 QDir::toNativeSeparators(missing) + QStringLiteral("\": ")),
             qPrintable(m_presenter->messages[0]));
    QVERIFY2(m_presenter->messages[1].startsWith(QStringLiteral("Error|Cannot save print settings to \"") +
                                                 QDir::toNativeSeparators(nowhere) + QStringLiteral("\": ")),
             qPrintable(m_presenter->messages[1]));
    QVERIFY(!QFile::exists(nowhere));
}

void TestPrintOptionsDialog::resultFromTheButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<TDualListDlg::Result>("result");
    QTest::newRow("OK to Print") << "OKBtn" << TDualListDlg::Result::Print;
    QTest::newRow("Print Preview") << "PreviewBtn" << TDualListDlg::Result::Preview;
    QTest::newRow("Cancel") << "CancelBtn" << TDualListDlg::Result::Cancel;
    QTest::newRow("window closed") << "" << TDualListDlg::Result::Cancel;
}

void TestPrintOptionsDialog::resultFromTheButtons() {
    QFETCH(QString, button);
    QFETCH(TDualListDlg::Result, result);
    // The fallback would give Print, so only the step itself can make Cancel.
    DialogDriver driver(m_dialog.get(), QDialog::Accepted);
    bool clicked = false;
    driver.then([&](QDialog& dialog) {
        if (button.isEmpty()) {
            clicked = dialog.close();
            return;
        }
        auto* target = dialog.findChild<QPushButton*>(button);
        QVERIFY(target);
        target->click();
        clicked = true;
    });
    QCOMPARE(m_dialog->run(), result);
    QVERIFY(clicked);
}

void TestPrintOptionsDialog::keysInTheWidthEditor_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<TDualListDlg::Result>("result");
    QTest::addColumn<int>("fallback"); // the other answer, so that only the key can give the result
    QTest::newRow("Return prints") << int(Qt::Key_Return) << TDualListDlg::Result::Print
                                   << int(QDialog::Rejected);
    QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << TDualListDlg::Result::Cancel
                                    << int(QDialog::Accepted);
}

void TestPrintOptionsDialog::keysInTheWidthEditor() {
    QFETCH(int, key);
    QFETCH(TDualListDlg::Result, result);
    QFETCH(int, fallback);
    TDualListDlg& d = *m_dialog;
    DialogDriver driver(&d, fallback);
    bool typed = false;
    driver.then([&](QDialog&) {
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QWidget* editor = d.StringGrid1->indexWidget(d.StringGrid1->currentIndex());
        QVERIFY(editor && editor->hasFocus());
        QTest::keyClick(editor, Qt::Key(key));
        typed = true;
    });
    QCOMPARE(d.run(), result);
    QVERIFY(typed);
}

void TestPrintOptionsDialog::showingAgainKeepsTheState() {
    TDualListDlg& d = *m_dialog;
    DialogDriver driver(&d);
    driver.then([&](QDialog&) {
        d.StringGrid1->setCurrentCell(2, 0);
        d.IncludeBtn->click();
        d.RadioButton4->click();
        d.PreviewBtn->click();
    });
    QStringList shownAgain;
    driver.then([&](QDialog&) {
        shownAgain = rowsOf(d.StrList);
        shownAgain.append(d.RadioButton4->isChecked() ? QStringLiteral("don't fit") : QStringLiteral("fit"));
        d.OKBtn->click();
    });
    QCOMPARE(d.run(), TDualListDlg::Result::Preview);
    QCOMPARE(d.run(), TDualListDlg::Result::Print);
    QCOMPARE(driver.shown(), 2);
    QCOMPARE(shownAgain, (QStringList{"5|team code", "don't fit"}));
    QCOMPARE(d.options().PrintList, QStringList{"team code"});
}

QTEST_MAIN(TestPrintOptionsDialog)
#include "tst_printoptionsdialog.moc"
