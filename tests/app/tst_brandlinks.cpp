#include "BrandRecord.h"
#include "ClosedHosts.h"
#include "FakeSeams.h"
#include "MainWindow.h"
#include "RecordingServer.h"
#include "ServiceProcess.h"
#include "SharedDialogs.h"
#include "StatdeskApplication.h"
#include "THttpCli.h"
#include "TableWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <set>
#include <tuple>

using namespace statdesk;
using namespace statdesk::test;

namespace {

const QString kHome = QStringLiteral("www.brand.example");

// Entry k of a generated list: caption "Entry k", an address with characters an event keeps unescaped.
QString entryCaption(int k) {
    return QStringLiteral("Entry %1").arg(k);
}
QString entryAddress(int k) {
    return QStringLiteral("http://links.example.com/page?n=%1&from=menu").arg(k);
}

void fillMenuLinks(MenuLinkList& links, int count, int separatorAt = 0) {
    links.Count = count;
    for (int k = 1; k <= count; ++k) {
        links.Caption[k] = k == separatorAt ? QStringLiteral("-") : entryCaption(k);
        links.Address[k] = k == separatorAt ? QString() : entryAddress(k);
    }
}

void addPanelLink(PanelLinkList& links, const QString& caption, const QString& address, const QString& left,
                  const QString& top) {
    const int i = ++links.Count;
    links.Caption[i] = caption;
    links.Address[i] = address;
    links.Left[i] = left;
    links.Top[i] = top;
}

// "Item" + number + "1", the component names of the link menu items.
const char* itemName(int number) {
    static QByteArray name;
    name = "Item" + QByteArray::number(number) + "1";
    return name.constData();
}

QLabel* label(const TForm1& window, const QString& name) {
    return window.findChild<QLabel*>(name);
}

void writeLogo() {
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::darkCyan);
    QVERIFY(logo.save(QStringLiteral("logo.bmp"), "BMP"));
}

} // namespace

class TestBrandLinks : public QObject {
    Q_OBJECT
  private slots:
    void cleanupTestCase();
    void init();
    void cleanup();
    void linkMenusFollowTheirLists_data();
    void linkMenusFollowTheirLists();
    void clicksOpenAndReport_data();
    void clicksOpenAndReport();
    void panelLabelsTakeWholeNumberPositions_data();
    void panelLabelsTakeWholeNumberPositions();
    void bandOffShowsNothingOnTheBand();
    void showcaseTicksRotateThePresets_data();
    void showcaseTicksRotateThePresets();
    void showcaseTickResetsTableWindows();
    void pictureLinkPagesComeFromTheService_data();
    void pictureLinkPagesComeFromTheService();

  private:
    QStringList events() const;

    QTemporaryDir m_folder;
    std::unique_ptr<RecordingServer> m_site;
    std::unique_ptr<RecordingOpener> m_opener;
    std::unique_ptr<RecordingPresenter> m_presenter;
    std::unique_ptr<ServiceProcess> m_service; // started by the first row that needs it
};

void TestBrandLinks::cleanupTestCase() {
    m_service.reset();
}

void TestBrandLinks::init() {
    QVERIFY(m_folder.isValid());
    QDir::setCurrent(m_folder.path());
    m_site = std::make_unique<RecordingServer>();
    m_site->setReply(httpReply("OK\r\n"));
    pointHostsAtClosedPort();
    qputenv("STATDESK_SITE", m_site->hostPort().toLatin1());
    m_opener = std::make_unique<RecordingOpener>();
    m_presenter = std::make_unique<RecordingPresenter>();
    BrandRecord brand;
    brand.Title = QStringLiteral("Own Title");
    brand.BrandHome = kHome;
    brand.ShowBand = true;
    brand.BandHeight = 60;
    brand.BandColour = 0x00FFFF; // yellow
    brand.LinkFont =
        buildLinkFont(QStringLiteral("Liberation Sans"), 9, FontPitch::Default, false, false, true, false);
    brand.FontColour = 0x800000; // navy
    brandRecord() = brand;
}

void TestBrandLinks::cleanup() {
    m_presenter.reset();
    m_opener.reset();
    m_site.reset();
    pointHostsAtClosedPort();
}

QStringList TestBrandLinks::events() const {
    QStringList lines;
    const QByteArray prefix = "GET /999addlog.asp?Q=";
    for (const QByteArray& request : m_site->requests()) {
        const QByteArray line = request.left(request.indexOf("\r\n"));
        // The start-up's version check asks the same site; only the usage events count here.
        if (line.startsWith(prefix))
            lines.append(QString::fromLatin1(line.mid(prefix.size(), line.lastIndexOf(' ') - prefix.size())));
    }
    return lines;
}

void TestBrandLinks::linkMenusFollowTheirLists_data() {
    QTest::addColumn<int>("menu");        // 1: MenuLinks and velmora1, 2: MenuLinks2 and Item1001
    QTest::addColumn<bool>("switchedOn"); // ShowLinkMenu or ShowLinkMenu2
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("separatorAt"); // entry with the caption "-", 0 for none
    QTest::addColumn<int>("shownItems");
    QTest::newRow("one entry: the caption, no items") << 1 << true << 1 << 0 << 0;
    QTest::newRow("sixty entries: 49 items, 51 to 60 ignored") << 1 << true << 60 << 10 << 49;
    QTest::newRow("second menu, eight entries") << 2 << true << 8 << 4 << 7;
    QTest::newRow("switched off") << 1 << false << 5 << 0 << 0;
    QTest::newRow("no entries") << 2 << true << 0 << 0 << 0;
}

void TestBrandLinks::linkMenusFollowTheirLists() {
    QFETCH(int, menu);
    QFETCH(bool, switchedOn);
    QFETCH(int, count);
    QFETCH(int, separatorAt);
    QFETCH(int, shownItems);
    BrandRecord& brand = brandRecord();
    (menu == 1 ? brand.ShowLinkMenu : brand.ShowLinkMenu2) = switchedOn;
    fillMenuLinks(menu == 1 ? brand.MenuLinks : brand.MenuLinks2, count, separatorAt);
    // The other menu has a list but is switched off: it stays hidden.
    (menu == 1 ? brand.ShowLinkMenu2 : brand.ShowLinkMenu) = false;
    fillMenuLinks(menu == 1 ? brand.MenuLinks2 : brand.MenuLinks, 3);

    TForm1 window;
    QVERIFY2(m_presenter->errors.isEmpty(), qPrintable(m_presenter->errors.join('\n')));
    const char* menuName = menu == 1 ? "velmora1" : "Item1001";
    const char* otherName = menu == 1 ? "Item1001" : "velmora1";
    const bool menuShown = switchedOn && count >= 1;
    QCOMPARE(window.action(menuName)->isVisible(), menuShown);
    QVERIFY(!window.action(otherName)->isVisible());
    if (menuShown)
        QCOMPARE(window.menu(menuName)->title(), entryCaption(1));

    const int base = menu == 1 ? 0 : 100;
    int visible = 0;
    for (int k = 2; k <= 50; ++k) {
        QAction* item = window.action(itemName(base + k));
        QVERIFY2(item, itemName(base + k));
        const bool shown = k <= shownItems + 1;
        QCOMPARE(item->isVisible(), shown);
        if (!shown)
            continue;
        ++visible;
        QCOMPARE(item->isSeparator(), k == separatorAt);
        if (k != separatorAt)
            QCOMPARE(item->text(), entryCaption(k));
    }
    QCOMPARE(visible, shownItems);
    for (QAction* item : window.menu(menuName)->actions())
        QVERIFY(item->text() != entryCaption(51));
}

void TestBrandLinks::clicksOpenAndReport_data() {
    QTest::addColumn<QString>("component");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QStringList>("sent");
    const QString seventh = entryAddress(7);
    QTest::newRow("Item1071 opens entry 7 of the second list")
        << "Item1071" << QStringList{seventh} << QStringList{"MENUCLICK," + seventh + "," + kHome + ",0"};
    QTest::newRow("Item31 opens entry 3 of the first list")
        << "Item31" << QStringList{entryAddress(3)}
        << QStringList{"MENUCLICK," + entryAddress(3) + "," + kHome + ",0"};
    QTest::newRow("Dyn1 with an address")
        << "Dyn1" << QStringList{"http://panel.example.org/"}
        << QStringList{"TOOLCLICK,http://panel.example.org/," + kHome + ",0"};
    QTest::newRow("Dyn2 with an empty address opens nothing")
        << "Dyn2" << QStringList{} << QStringList{"TOOLCLICK,," + kHome + ",0"};
    QTest::newRow("Image4 opens its site page, unreported")
        << "Image4" << QStringList{"http://{site}/links/record-book.html"} << QStringList{};
}

void TestBrandLinks::clicksOpenAndReport() {
    QFETCH(QString, component);
    QFETCH(QStringList, opened);
    QFETCH(QStringList, sent);
    opened.replaceInStrings(QStringLiteral("{site}"), m_site->hostPort());
    BrandRecord& brand = brandRecord();
    brand.ShowLinkMenu = true;
    brand.ShowLinkMenu2 = true;
    brand.ShowPartnerImages = true;
    fillMenuLinks(brand.MenuLinks, 5);
    fillMenuLinks(brand.MenuLinks2, 8);
    addPanelLink(brand.PanelLinks, QStringLiteral("Panel"), QStringLiteral("http://panel.example.org/"),
                 QStringLiteral("300"), QStringLiteral("5"));
    addPanelLink(brand.PanelLinks, QStringLiteral("Nowhere"), QString(), QStringLiteral("300"),
                 QStringLiteral("25"));

    TForm1 window;
    createSharedDialogs(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (component.startsWith(QLatin1String("Item"))) {
        QAction* item = window.action(component.toLatin1().constData());
        QVERIFY(item->isVisible());
        item->trigger();
    } else {
        QLabel* link = label(window, component);
        QVERIFY(link->isVisible());
        QTest::mouseClick(link, Qt::LeftButton);
    }
    QVERIFY2(m_presenter->errors.isEmpty(), qPrintable(m_presenter->errors.join('\n')));
    QCOMPARE(m_opener->opened, opened);
    QCOMPARE(events(), sent);
}

void TestBrandLinks::panelLabelsTakeWholeNumberPositions_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QPoint>("placed");
    QTest::newRow("270.9 and 2") << "270.9"
                                 << "2" << QPoint(270, 2);
    QTest::newRow("leading blanks, sign, trailing text") << "  35px"
                                                         << "-4.5" << QPoint(35, -4);
    QTest::newRow("no number at all") << "left"
                                      << "" << QPoint(0, 0);
    QTest::newRow("digits after the point only") << ".9"
                                                 << "+12" << QPoint(0, 12);
}

void TestBrandLinks::panelLabelsTakeWholeNumberPositions() {
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPoint, placed);
    BrandRecord& brand = brandRecord();
    addPanelLink(brand.PanelLinks, QStringLiteral("Scores"), QStringLiteral("http://a.example/"),
                 QStringLiteral("100"), QStringLiteral("3"));
    addPanelLink(brand.PanelLinks, QStringLiteral("Placed"), QStringLiteral("http://b.example/"), left, top);

    TForm1 window;
    QLabel* dyn2 = label(window, QStringLiteral("Dyn2"));
    QVERIFY(!dyn2->isHidden());
    QCOMPARE(dyn2->text(), QStringLiteral("Placed"));
    QCOMPARE(dyn2->pos(), placed);
    QCOMPARE(label(window, QStringLiteral("Dyn1"))->pos(), QPoint(100, 3));
    for (int i = 3; i <= 50; ++i)
        QVERIFY2(label(window, QStringLiteral("Dyn%1").arg(i))->isHidden(), qPrintable(QString::number(i)));

    // Each label keeps a copy of the link font as it was when placed.
    QCOMPARE(dyn2->font().family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(dyn2->font().pointSize(), 9);
    QVERIFY(dyn2->font().underline());
    QCOMPARE(dyn2->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    brand.LinkFont.setPointSize(20);
    QCOMPARE(dyn2->font().pointSize(), 9);
}

void TestBrandLinks::bandOffShowsNothingOnTheBand() {
    writeLogo();
    BrandRecord& brand = brandRecord();
    brand.ShowBand = false;
    brand.ShowLogo = true;
    brand.ShowPartnerImages = true;
    for (int i = 1; i <= 50; ++i)
        addPanelLink(brand.PanelLinks, QStringLiteral("L%1").arg(i), QString(), QString::number(i * 10),
                     QStringLiteral("3"));

    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY2(m_presenter->errors.isEmpty(), qPrintable(m_presenter->errors.join('\n')));
    QCOMPARE(window.windowTitle(), QStringLiteral("Own Title")); // the set-up ran to its end
    QVERIFY(window.CoolBar1->isHidden());
    for (int i = 1; i <= 50; ++i)
        QVERIFY2(label(window, QStringLiteral("Dyn%1").arg(i))->isHidden(), qPrintable(QString::number(i)));
    const QList<QWidget*> onBand = window.CoolBar1->findChildren<QWidget*>();
    QVERIFY(onBand.size() >= 50 + 5 + 4 + 1);
    for (const QWidget* widget : onBand)
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
}

void TestBrandLinks::showcaseTicksRotateThePresets_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("points");
    QTest::addColumn<QColor>("fontColour");
    QTest::addColumn<QColor>("bandColour");
    QTest::addColumn<int>("menuEntries");
    QTest::addColumn<int>("panelEntries");
    QTest::addColumn<QList<int>>("tops");
    const QColor red(255, 0, 0), white(255, 255, 255), navy(0, 0, 128), green(0, 128, 0);
    const QColor lightGreen(205, 243, 211);
    QTest::newRow("1st tick: preset 1")
        << 1 << 1 << "Arial" << true << 8 << white << red << 10 << 11 << QList<int>{3, 20, 37};
    QTest::newRow("2nd tick: preset 2")
        << 2 << 2 << "MS Sans Serif" << false << 8 << navy << white << 9 << 12 << QList<int>{2, 20, 38};
    QTest::newRow("3rd tick: preset 3") << 3 << 3 << "MS Sans Serif" << false << 8 << green << lightGreen
                                        << 11 << 12 << QList<int>{2, 20, 38};
    QTest::newRow("4th tick: preset 4")
        << 4 << 4 << "MS Sans Serif" << true << 8 << navy << white << 31 << 12 << QList<int>{3, 20, 37};
    QTest::newRow("5th tick: preset 0")
        << 5 << 0 << "MS Sans Serif" << false << 10 << red << white << 6 << 15 << QList<int>{3, 19, 35};
    QTest::newRow("6th tick: preset 1 again")
        << 6 << 1 << "Arial" << true << 8 << white << red << 10 << 11 << QList<int>{3, 20, 37};
}

void TestBrandLinks::showcaseTicksRotateThePresets() {
    QFETCH(int, ticks);
    QFETCH(int, position);
    QFETCH(QString, face);
    QFETCH(bool, bold);
    QFETCH(int, points);
    QFETCH(QColor, fontColour);
    QFETCH(QColor, bandColour);
    QFETCH(int, menuEntries);
    QFETCH(int, panelEntries);
    QFETCH(QList<int>, tops);
    writeLogo();
    BrandRecord& brand = brandRecord();
    brand.ShowcaseMode = true;
    brand.ShowLogo = true;
    brand.ShowLinkMenu2 = true;
    fillMenuLinks(brand.MenuLinks2, 4);

    TForm1 window;
    QVERIFY(window.Timer4->isActive());
    QCOMPARE(window.Timer4->interval(), 10000);
    QVERIFY(window.action("Item1001")->isVisible()); // the copy's own second menu, until the first tick
    window.Timer4->stop();
    QStringList titles;
    for (int tick = 1; tick <= ticks; ++tick) {
        window.Timer4Timer();
        titles.append(window.windowTitle());
    }
    QVERIFY2(m_presenter->errors.isEmpty(), qPrintable(m_presenter->errors.join('\n')));
    QCOMPARE(window.showcasePosition, position);

    const QString title = window.windowTitle();
    if (position == 0) {
        QCOMPARE(title, QStringLiteral("The Orvella"));
    } else {
        QVERIFY2(title.startsWith(QLatin1String("The ")) && title.endsWith(QLatin1String(" Orvella")) &&
                     title.size() > QStringLiteral("The Orvella").size(),
                 qPrintable(title));
    }
    QCOMPARE(QSet<QString>(titles.cbegin(), titles.cend()).size(), qMin(ticks, 5)); // one title each
    if (ticks == 6)
        QCOMPARE(titles.last(), titles.first());
    QCOMPARE(brand.BrandHome, kHome);

    QVERIFY(!window.CoolBar1->isHidden());
    QCOMPARE(window.CoolBar1->height(), 60);
    QCOMPARE(window.CoolBar1->palette().color(QPalette::Window), bandColour);

    // The logo: the copy's own for preset 0, the preset's sample logo otherwise.
    const QImage shown = window.Image1->pixmap().toImage();
    const QImage expected =
        position == 0 ? QImage(QStringLiteral("logo.bmp"))
                      : label(window, QStringLiteral("ImageAlt%1").arg(position))->pixmap().toImage();
    QVERIFY(!expected.isNull());
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));

    // The first link menu rebuilt from the preset; the second one gone.
    QVERIFY(window.action("velmora1")->isVisible());
    QVERIFY(!window.action("Item1001")->isVisible());
    for (int k = 2; k <= 50; ++k) {
        QCOMPARE(window.action(itemName(k))->isVisible(), k <= menuEntries);
        QVERIFY(!window.action(itemName(100 + k))->isVisible());
    }

    std::set<int> rows;
    for (int i = 1; i <= 50; ++i) {
        QLabel* dyn = label(window, QStringLiteral("Dyn%1").arg(i));
        QCOMPARE(!dyn->isHidden(), i <= panelEntries);
        if (i > panelEntries)
            continue;
        rows.insert(dyn->y());
        QCOMPARE(dyn->font().family(), face);
        QCOMPARE(dyn->font().pointSize(), points);
        QCOMPARE(dyn->font().bold(), bold);
        QVERIFY(dyn->font().underline());
        QCOMPARE(dyn->palette().color(QPalette::WindowText), fontColour);
    }
    QCOMPARE(rows, std::set<int>(tops.begin(), tops.end()));

    if (position == 0) {
        const QStringList menu{"Link to your main page", "Link to your sports teams page",
                               "Link to your sports articles page", "Link to your scores page", "Etc."};
        QCOMPARE(window.menu("velmora1")->title(), QStringLiteral("YourWebsiteName.com"));
        for (int k = 2; k <= 6; ++k)
            QCOMPARE(window.action(itemName(k))->text(), menu.at(k - 2));
        const QList<std::tuple<const char*, int, int>> words{
            {"Place", 220, 3}, {"as", 220, 19},       {"many", 220, 35},     {"links", 270, 3},
            {"to", 270, 19},   {"your", 270, 35},     {"website", 310, 3},   {"and", 310, 19},
            {"your", 310, 35}, {"website's", 365, 3}, {"subpages", 365, 19}, {"as", 365, 35},
            {"you", 435, 3},   {"wish", 435, 19},     {"here", 435, 35}};
        for (int i = 1; i <= 15; ++i) {
            const auto& [word, left, top] = words.at(i - 1);
            QLabel* dyn = label(window, QStringLiteral("Dyn%1").arg(i));
            QCOMPARE(dyn->text(), QString::fromLatin1(word));
            QCOMPARE(dyn->pos(), QPoint(left, top));
        }
    }
}

void TestBrandLinks::showcaseTickResetsTableWindows() {
    RecordingServer service;
    service.setReply(totalOnlyReply(40));
    qputenv("STATDESK_HOSTS",
            (service.hostPort() + "," + service.hostPort() + "," + service.hostPort()).toLatin1());
    brandRecord().ShowcaseMode = true;

    TForm1 window;
    window.Timer4->stop();
    createSharedDialogs(&window);
    window.welcomeShown = true; // the welcome box is no part of this test
    window.resize(1000, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.action("Regular1")->trigger();
    window.action("Playoff2")->trigger();
    const QList<QMdiSubWindow*> children = window.mdiArea()->subWindowList(QMdiArea::CreationOrder);
    QCOMPARE(children.size(), 2);
    QMdiSubWindow* active = window.mdiArea()->activeSubWindow();
    QCOMPARE(active, children.at(1));
    for (QMdiSubWindow* child : children)
        qobject_cast<TableWindow*>(child->widget())->Label2()->setText(QStringLiteral("stale"));

    QSignalSpy activated(window.mdiArea(), &QMdiArea::subWindowActivated);
    window.Timer4Timer();
    QVERIFY2(m_presenter->errors.isEmpty(), qPrintable(m_presenter->errors.join('\n')));
    // Each child activated once, in turn, the active one last.
    QCOMPARE(activated.size(), 2);
    QCOMPARE(activated.at(0).at(0).value<QMdiSubWindow*>(), children.at(0));
    QCOMPARE(activated.at(1).at(0).value<QMdiSubWindow*>(), children.at(1));
    // A maximised child adds " - [its caption]" to the main window's caption.
    const QString caption = window.windowTitle().section(QStringLiteral(" - ["), 0, 0);
    QVERIFY2(caption.startsWith(QLatin1String("The ")) && caption.endsWith(QLatin1String(" Orvella")) &&
                 caption != QStringLiteral("The Orvella"),
             qPrintable(window.windowTitle()));
    for (QMdiSubWindow* child : children)
        QCOMPARE(qobject_cast<TableWindow*>(child->widget())->Label2()->text(), kHome);
    QCOMPARE(window.mdiArea()->activeSubWindow(), active);

    window.mdiArea()->closeAllSubWindows();
    QTRY_VERIFY(window.mdiArea()->subWindowList().isEmpty());
}

void TestBrandLinks::pictureLinkPagesComeFromTheService_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("left");
    QTest::newRow("Image2") << "Image2"
                            << "/links/box-scores.html"
                            << "Box score archive" << 2;
    QTest::newRow("Image3") << "Image3"
                            << "/links/draft-board.html"
                            << "Draft board" << 136;
    QTest::newRow("Image4") << "Image4"
                            << "/links/record-book.html"
                            << "Record book" << 274;
    QTest::newRow("Image5") << "Image5"
                            << "/links/arena-guide.html"
                            << "Arena guide" << 410;
    QTest::newRow("Image6") << "Image6"
                            << "/links/stat-quiz.html"
                            << "Stat quiz" << 546;
}

void TestBrandLinks::pictureLinkPagesComeFromTheService() {
    QFETCH(QString, picture);
    QFETCH(QString, path);
    QFETCH(QString, title);
    QFETCH(int, left);
    const QString database = ServiceProcess::builtDatabase();
    if (!QFile::exists(database))
        QSKIP("the statistics database is not built (target statdesk_db)");
    if (!m_service)
        m_service = std::make_unique<ServiceProcess>(database);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    qputenv("STATDESK_SITE", m_service->host().toLatin1());
    brandRecord().ShowPartnerImages = true;

    TForm1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QLabel* link = label(window, picture);
    QCOMPARE(link->pos(), QPoint(left, 0));
    QVERIFY(qAbs(link->width() - 120) <= 10 && qAbs(link->height() - 60) <= 10);
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_opener->opened, QStringList{"http://" + m_service->host() + path});

    THttpCli client;
    QByteArray page;
    client.setURL(m_opener->opened.constFirst());
    client.setReplyBuffer(&page);
    client.Get();
    QCOMPARE(client.StatusCode(), 200);
    QVERIFY2(page.contains(("<title>" + title + "</title>").toLatin1()), page.constData());
    QVERIFY2(page.contains(("<h1>" + title + "</h1>").toLatin1()), page.constData());
}

int main(int argc, char** argv) {
    StatdeskApplication app(argc, argv);
    TestBrandLinks test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_brandlinks.moc"
