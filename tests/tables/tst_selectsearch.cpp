#include "DialogDriver.h"
#include "FakeSeams.h"
#include "RecordingServer.h"
#include "SearchField.h"
#include "SelectDialog.h"
#include "TableWindow.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace statdesk;
using namespace statdesk::test;

namespace {

// The names as the service sends them (Windows-1252 bytes) and as the user reads them. Not in
// alphabetical order, so that a narrowed list that sorted would show.
struct Name {
    QByteArray wire;
    QString text;
};

const QList<Name>& fixture() {
    static const QList<Name> names = {
        {"Michael Jordan", QStringLiteral("Michael Jordan")},
        {"Adonis Jordan", QStringLiteral("Adonis Jordan")},
        {"D\x9e"
         "anan Musa",
         QStringLiteral("Džanan Musa")},
        {"Eddie Jordan", QStringLiteral("Eddie Jordan")},
        {"Gerald Henderson Jr.", QStringLiteral("Gerald Henderson Jr.")},
        {"Gerald Henderson", QStringLiteral("Gerald Henderson")},
        {"Jordan Hill", QStringLiteral("Jordan Hill")},
        {"Jos\xe9 Calder\xf3n", QStringLiteral("José Calderón")},
        {"Michael Adams", QStringLiteral("Michael Adams")},
        {"P\xe9tur Gu\xf0mundsson", QStringLiteral("Pétur Guðmundsson")},
        {"Tibor Plei\xdf", QStringLiteral("Tibor Pleiß")},
        {"\x8e"
         "an Tabak",
         QStringLiteral("Žan Tabak")},
    };
    return names;
}

QByteArray fixtureReply() {
    QList<QByteArray> wire;
    for (const Name& name : fixture())
        wire.append(name.wire);
    return listReply(wire);
}

QByteArray wireOf(const QString& text) {
    for (const Name& name : fixture())
        if (name.text == text)
            return name.wire;
    return {};
}

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

// Typed as a keyboard would: letters outside ASCII arrive as text with no key code of their own.
void type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestSelectSearch : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void typedTextNarrowsAndEnterChooses_data();
    void typedTextNarrowsAndEnterChooses();
    void choicesOutlastTheNarrowingAndEnterTakesTheItemMovedTo();
    void escapeEmptiesTheFieldThenCancels();

  private:
    // Keys go where the keyboard focus is, as they would for the user.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::unique_ptr<RecordingServer> m_service;
    std::unique_ptr<RecordingPresenter> m_presenter;
    std::unique_ptr<QMdiArea> m_area;
    std::unique_ptr<TBtnRightDlg1> m_select;
    TableWindow* m_window = nullptr;
};

void TestSelectSearch::init() {
    m_service = std::make_unique<RecordingServer>();
    m_service->setReply(totalOnlyReply(1234));
    const QString host = m_service->hostPort();
    qputenv("STATDESK_HOSTS", (host + "," + host + "," + host).toLatin1());
    m_presenter = std::make_unique<RecordingPresenter>();
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1024, 700);
    m_area->show();
    m_select = std::make_unique<TBtnRightDlg1>();
    TableWindowSetup setup;
    setup.kind = DatasetKind::PlayersRegular;
    setup.brandHome = QStringLiteral("www.brand.example");
    m_window = openTableWindow(m_area.get(), setup);
    m_service->queueResponse({fixtureReply(), true, true});
}

void TestSelectSearch::cleanup() {
    m_area.reset();
    m_select.reset();
    m_presenter.reset();
    m_service.reset();
    qunsetenv("STATDESK_HOSTS");
}

void TestSelectSearch::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = m_select->focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, key, modifiers);
}

void TestSelectSearch::typedTextNarrowsAndEnterChooses_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("enterChooses"); // empty: Enter has no choice to make, the dialog stays

    const QStringList jordans = {"Michael Jordan", "Adonis Jordan", "Eddie Jordan", "Jordan Hill"};
    QTest::newRow("last name") << "jordan" << jordans << QString();
    QTest::newRow("capitals") << "JORDAN" << jordans << QString();
    QTest::newRow("an accent the name lacks") << QStringLiteral("Jordán") << jordans << QString();
    QTest::newRow("without the accents")
        << "calderon" << QStringList{QStringLiteral("José Calderón")} << QStringLiteral("José Calderón");
    QTest::newRow("capital with accent")
        << QStringLiteral("CALDERÓN") << QStringList{QStringLiteral("José Calderón")}
        << QStringLiteral("José Calderón");
    QTest::newRow("inside two names")
        << "zan" << QStringList{QStringLiteral("Džanan Musa"), QStringLiteral("Žan Tabak")} << QString();
    QTest::newRow("caron and a space")
        << QStringLiteral("žan t") << QStringList{QStringLiteral("Žan Tabak")} << QStringLiteral("Žan Tabak");
    QTest::newRow("eth as d") << "gudmundsson" << QStringList{QStringLiteral("Pétur Guðmundsson")}
                              << QStringLiteral("Pétur Guðmundsson");
    QTest::newRow("eth typed") << QStringLiteral("GUÐ") << QStringList{QStringLiteral("Pétur Guðmundsson")}
                               << QStringLiteral("Pétur Guðmundsson");
    QTest::newRow("sharp s as ss") << "pleiss" << QStringList{QStringLiteral("Tibor Pleiß")}
                                   << QStringLiteral("Tibor Pleiß");
    QTest::newRow("sharp s typed") << QStringLiteral("PLEIß") << QStringList{QStringLiteral("Tibor Pleiß")}
                                   << QStringLiteral("Tibor Pleiß");
    QTest::newRow("a name inside another")
        << "gerald henderson" << QStringList{"Gerald Henderson Jr.", "Gerald Henderson"} << QString();
    QTest::newRow("only the longer") << "henderson jr" << QStringList{"Gerald Henderson Jr."}
                                     << "Gerald Henderson Jr.";
    QTest::newRow("first name") << "michael" << QStringList{"Michael Jordan", "Michael Adams"} << QString();
    QTest::newRow("first name and a letter")
        << "michael j" << QStringList{"Michael Jordan"} << "Michael Jordan";
    QTest::newRow("a trailing space") << "jordan " << QStringList{"Jordan Hill"} << "Jordan Hill";
    QTest::newRow("nothing") << "qx" << QStringList{} << QString();
}

void TestSelectSearch::typedTextNarrowsAndEnterChooses() {
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    QFETCH(QString, enterChooses);
    DialogDriver driver(m_select.get());
    bool stayed = false;
    driver.then([&](QDialog&) {
        QVERIFY(QTest::qWaitForWindowActive(m_select.get()));
        QCOMPARE(m_select->focusWidget(), m_select->SearchEdit);
        QCOMPARE(m_select->Label2->text(), QStringLiteral("Listed = %1").arg(fixture().size()));
        type(m_select->focusWidget(), typed);
        QCOMPARE(m_select->SearchEdit->text(), typed);
        QCOMPARE(itemTexts(m_select->ListBox1), shown);
        QCOMPARE(m_select->Label2->text(), QStringLiteral("Listed = %1").arg(shown.size()));
        QVERIFY(m_select->ListBox1->selectedItems().isEmpty()); // narrowing chooses nothing
        press(Qt::Key_Return);
        stayed = m_select->isVisible();
        if (stayed) {
            QCOMPARE(m_select->Label1->text(), QStringLiteral("Items = 0"));
            m_select->CancelBtn->click();
        }
    });
    m_select->SelectValues(*m_window, ListKind::Players);
    QCOMPARE(driver.shown(), 1);
    QCOMPARE(stayed, enterChooses.isEmpty());
    if (enterChooses.isEmpty()) {
        QVERIFY(m_window->requestState().CriteriaList.isEmpty());
        QCOMPARE(m_service->connectionCount(), 2); // the opening page and the list
        return;
    }
    QCOMPARE(m_window->requestState().CriteriaList, (QStringList{"A" + enterChooses, "*"}));
    QCOMPARE(m_service->connectionCount(), 3);
    const QByteArray body = bodyOf(m_service->lastRequest());
    QCOMPARE(body.mid(body.indexOf("\r\n")), "\r\nA" + wireOf(enterChooses) + "\r\n*\r\n\x1a");
}

void TestSelectSearch::choicesOutlastTheNarrowingAndEnterTakesTheItemMovedTo() {
    DialogDriver driver(m_select.get());
    driver.then([&](QDialog&) {
        QVERIFY(QTest::qWaitForWindowActive(m_select.get()));
        QListWidget* list = m_select->ListBox1;
        type(m_select->focusWidget(), "jordan");
        press(Qt::Key_Down); // into the list, on its first item
        QCOMPARE(m_select->focusWidget(), list);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("Michael Jordan"));
        press(Qt::Key_Down);
        press(Qt::Key_Space);
        QCOMPARE(itemTexts(m_select->ListBox2), QStringList{"Adonis Jordan"});

        // Back in the field, Escape brings every name back with the choice still made.
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(m_select->focusWidget(), m_select->SearchEdit);
        press(Qt::Key_Escape);
        QVERIFY(m_select->isVisible());
        QCOMPARE(list->count(), fixture().size());
        QCOMPARE(m_select->Label2->text(), QStringLiteral("Listed = %1").arg(fixture().size()));
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(list->selectedItems().first()->text(), QStringLiteral("Adonis Jordan"));

        // A choice hidden by the narrowing stays chosen; one made in the narrowed list joins it.
        type(m_select->SearchEdit, "calder");
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        QCOMPARE(itemTexts(m_select->ListBox2),
                 (QStringList{"Adonis Jordan", QStringLiteral("José Calderón")}));
        QCOMPARE(m_select->Label1->text(), QStringLiteral("Selected = 2"));

        // Several matches: Enter takes the item the user went to and came back from.
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        m_select->SearchEdit->clear();
        type(m_select->SearchEdit, "jordan");
        QCOMPARE(list->selectedItems().size(), 1); // Adonis Jordan, shown again
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("Eddie Jordan"));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        press(Qt::Key_Return);
    });
    m_select->SelectValues(*m_window, ListKind::Players);
    QCOMPARE(m_window->requestState().CriteriaList,
             (QStringList{"AAdonis Jordan", "AEddie Jordan", QStringLiteral("AJosé Calderón"), "*"}));
    const QByteArray body = bodyOf(m_service->lastRequest());
    QCOMPARE(body.mid(body.indexOf("\r\n")),
             QByteArray("\r\nAAdonis Jordan\r\nAEddie Jordan\r\nAJos\xe9 Calder\xf3n\r\n*\r\n\x1a"));

    // Choosing in the list after going there is the user's own choice: Enter in the field then has
    // none to make among several, and with an empty field it is OK, as it always was.
    m_service->queueResponse({fixtureReply(), true, true});
    driver.then([&](QDialog&) {
        type(m_select->focusWidget(), "michael");
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        press(Qt::Key_Space);
        press(Qt::Key_Space); // and taken back
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        press(Qt::Key_Return);
        QVERIFY(m_select->isVisible());
        QVERIFY(m_select->ListBox2->count() == 0);
        press(Qt::Key_Escape);
        QVERIFY(m_select->isVisible());
        QTest::mouseClick(m_select->ListBox1->viewport(), Qt::LeftButton, Qt::NoModifier,
                          m_select->ListBox1->visualItemRect(m_select->ListBox1->item(1)).center());
        m_select->SearchEdit->setFocus();
        press(Qt::Key_Return);
    });
    m_select->SelectValues(*m_window, ListKind::Players);
    QCOMPARE(driver.shown(), 2);
    QCOMPARE(m_window->requestState().CriteriaList.mid(4), (QStringList{"AAdonis Jordan", "*"}));
}

void TestSelectSearch::escapeEmptiesTheFieldThenCancels() {
    m_window->requestState().CriteriaList = {"C1990", "*"};
    DialogDriver driver(m_select.get(), QDialog::Accepted); // a dialog left open would confirm
    driver.then([&](QDialog&) {
        type(m_select->focusWidget(), "die ");
        QCOMPARE(itemTexts(m_select->ListBox1), QStringList{"Eddie Jordan"});
        press(Qt::Key_Escape);
        QVERIFY(m_select->isVisible());
        QVERIFY(m_select->SearchEdit->text().isEmpty());
        QCOMPARE(m_select->ListBox1->count(), fixture().size());
        press(Qt::Key_Escape);
        QVERIFY(!m_select->isVisible());
    });
    m_select->SelectValues(*m_window, ListKind::Players);
    QCOMPARE(driver.shown(), 1);
    QCOMPARE(m_window->requestState().CriteriaList, (QStringList{"C1990", "*"}));
    QCOMPARE(m_service->connectionCount(), 2); // Cancel sends nothing

    // The next use starts with an empty field and the whole list.
    m_service->queueResponse({fixtureReply(), true, true});
    driver.then([&](QDialog&) {
        type(m_select->focusWidget(), "zan");
        m_select->CancelBtn->click();
    });
    m_select->SelectValues(*m_window, ListKind::Players);
    m_service->queueResponse({fixtureReply(), true, true});
    driver.then([&](QDialog&) {
        QVERIFY(m_select->SearchEdit->text().isEmpty());
        QCOMPARE(m_select->ListBox1->count(), fixture().size());
        QCOMPARE(m_select->ListBox1->currentRow(), 0);
        m_select->CancelBtn->click();
    });
    m_select->SelectValues(*m_window, ListKind::Players);
    QCOMPARE(driver.shown(), 3);
}

QTEST_MAIN(TestSelectSearch)
#include "tst_selectsearch.moc"
