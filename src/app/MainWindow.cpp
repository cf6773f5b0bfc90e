#include "MainWindow.h"

#include "AboutBox.h"
#include "BrandRecord.h"
#include "ClickableLabel.h"
#include "LinkPictures.h"
#include "PreviewWindow.h"
#include "ProxyDialog.h"
#include "Seams.h"
#include "SharedDialogs.h"
#include "Showcase.h"
#include "StartupState.h"
#include "StatdeskApplication.h"
#include "TFtpClient.h"
#include "THttpCli.h"
#include "TableWindow.h"
#include "UsageEvent.h"
#include "WelcomeBox.h"

#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

namespace statdesk {
namespace {

constexpr int kDefaultBandHeight = 66;
constexpr int kNewsHintDisplayMs = 60000;

QTimer* makeTimer(QObject* owner, const char* name, int intervalMs, bool running) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(intervalMs);
    if (running)
        timer->start();
    return timer;
}

QLabel* makeLabel(QWidget* band, const QString& name, const QString& text, QPoint at, bool visible = true) {
    auto* label = new QLabel(text, band);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    label->setVisible(visible);
    return label;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velmora! Statdesk"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildBand();
    layout->addWidget(CoolBar1);
    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setObjectName(QStringLiteral("MDIClient"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);

    HttpCli1 = new THttpCli(this);
    HttpCli2 = new THttpCli(this);
    HttpCli3 = new THttpCli(this);
    BaseballArticleGaffle = new THttpCli(this);
    SummaryGank = new THttpCli(this);
    HttpCliAd = new THttpCli(this);
    FtpClient1 = new TFtpClient(this);

    Timer1 = makeTimer(this, "Timer1", 3000, false);
    Timer2 = makeTimer(this, "Timer2", 3000, false);
    Timer3 = makeTimer(this, "Timer3", 15000, true);
    Timer4 = makeTimer(this, "Timer4", 10000, false);
    connect(Timer3, &QTimer::timeout, this, [this] { runHandler([this] { Timer3Timer(); }); });
    connect(Timer4, &QTimer::timeout, this, [this] { runHandler([this] { Timer4Timer(); }); });

    buildMenu();
    connectNewsTicker();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::buildBand() {
    CoolBar1 = new QFrame(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->setAutoFillBackground(true);
    QPalette yellow = CoolBar1->palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    CoolBar1->setPalette(yellow);
    CoolBar1->setFixedHeight(kDefaultBandHeight);

    Image1 = new QLabel(CoolBar1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(4, 2);

    // News ticker labels; the ticker fills them.
    const auto link = [this](const char* name, QPoint at, int width) {
        auto* label = new ClickableLabel(CoolBar1);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(at.x(), at.y(), width, 18);
        m_newsLabels.append(label);
        return label;
    };
    m_newsLabels = {makeLabel(CoolBar1, QStringLiteral("Label1"), QStringLiteral("TODAY"), {260, 4}),
                    makeLabel(CoolBar1, QStringLiteral("Label2"), QStringLiteral("YESTERDAY"), {260, 22})};
    Label3 = link("Label3", {350, 4}, 690);
    Label4 = link("Label4", {350, 22}, 690);
    Label5 = link("Label5", {260, 40}, 0);
    Label5->setText(QStringLiteral("BASKETBALL"));
    Label5->adjustSize();
    Articles = {link("Article1", {350, 40}, 225), link("Article2", {582, 40}, 225),
                link("Article3", {814, 40}, 225)};
    // Panel link labels, filled from the brand by the set-up and the showcase.
    for (int i = 1; i <= kPanelLinkLabels; ++i) {
        auto* link = new ClickableLabel(CoolBar1);
        link->setObjectName(QStringLiteral("Dyn%1").arg(i));
        link->hide();
        connect(link, &ClickableLabel::clicked, this, [this, i] { runHandler([&] { DynClick(i); }); });
        m_panelLinks[static_cast<size_t>(i - 1)] = link;
    }
    // Image2 to Image6: fixed picture links to pages of the maker's site.
    for (int i = 1; i <= kPictureLinks; ++i) {
        auto* picture = new ClickableLabel(CoolBar1);
        picture->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        picture->setPixmap(pictureLinkImage(i));
        picture->setGeometry(pictureLinkLeft(i), 0, kPictureLinkWidth, kPictureLinkHeight);
        connect(picture, &ClickableLabel::clicked, this,
                [this, i] { runHandler([&] { pictureLinkClick(i); }); });
        m_partnerImages.append(picture);
    }
    // ImageAlt1 to ImageAlt4: never shown themselves, only lent to Image1 by the showcase.
    for (int i = 1; i <= kSampleLogos; ++i) {
        QLabel* logo = makeLabel(CoolBar1, QStringLiteral("ImageAlt%1").arg(i), QString(), {0, 0}, false);
        logo->setPixmap(sampleLogo(i));
        logo->adjustSize();
        m_sampleLogos[static_cast<size_t>(i - 1)] = logo;
    }
}

QAction* TForm1::action(const char* componentName) const {
    return findChild<QAction*>(QString::fromLatin1(componentName));
}

QMenu* TForm1::menu(const char* componentName) const {
    return findChild<QMenu*>(QString::fromLatin1(componentName));
}

void TForm1::FormCreate() {
    try {
        setUpSteps();
    } catch (const std::exception& error) {
        showHandlerError(error.what());
    }
}

void TForm1::setUpSteps() {
    const BrandRecord& brand = brandRecord();

    welcomeShown = false;
    showcasePosition = 0;
    bannerSlot = 0;
    openedMarkers.fill(0);

    applyProxySettings();

    if (brand.ShowcaseMode)
        Timer4->start();

    for (QLabel* image : std::as_const(m_partnerImages))
        image->setVisible(brand.ShowPartnerImages);

    seams::random().seed(static_cast<quint64>(seams::clock().now().toMSecsSinceEpoch()));

    if (brand.ShowNews) {
        hintDisplayTimeMs = kNewsHintDisplayMs;
        m_ticker.reset();
    }

    if (QFile::exists(QStringLiteral("temp3.gif")))
        QFile::remove(QStringLiteral("temp3.gif"));

    updateRequired() = false;
    runVersionCheck();

    if (brand.FetchAdSettings)
        refreshBannerSettings();

    if (brandRecord().BannerCount == 0)
        Timer3->stop();

    if (brand.ShowNews) {
        runNewsSetup();
    } else {
        hideNewsLabels();
        Timer1->stop();
        Timer2->stop();
    }

    applyBand();

    if (brand.ShowLogo) {
        showLogoFile();
    } else {
        Image1->hide();
    }

    setWindowTitle(brand.Title);
    buildLinkMenus();
    uploadUsageLog();
}

void TForm1::applyProxySettings() {
    const ProxySettings& proxy = proxySettings();
    if (!proxy.enabled)
        return;
    for (THttpCli* client : {HttpCli1, HttpCli2, HttpCli3, SummaryGank, BaseballArticleGaffle})
        applyProxy(*client, proxy);
}

void TForm1::hideNewsLabels() {
    for (QLabel* label : std::as_const(m_newsLabels))
        label->hide();
}

void TForm1::buildLinkMenus() {
    const BrandRecord& brand = brandRecord();
    statdesk::buildLinkMenus(m_linkMenu1, m_linkMenu2, brand);
    if (brand.ShowBand)
        placePanelLinks(m_panelLinks, brand);
}

void TForm1::linkMenuItemClick(int menu, int item) {
    const BrandRecord& brand = brandRecord();
    const MenuLinkList& links = menu == 1 ? brand.MenuLinks : brand.MenuLinks2;
    const QString address = links.Address[static_cast<size_t>(item + 2)];
    openAndReport(address, UsageEvent::menuClickLine(address, brand.BrandHome), usageEventClient());
}

void TForm1::DynClick(int label) {
    const BrandRecord& brand = brandRecord();
    const QString address = brand.PanelLinks.Address[static_cast<size_t>(label)];
    openAndReport(address, UsageEvent::toolClickLine(address, brand.BrandHome), usageEventClient());
}

void TForm1::pictureLinkClick(int number) {
    seams::opener().open(pictureLinkAddress(number));
}

// The brand's own logo, written to "logo.bmp" at start-up.
void TForm1::showLogoFile() {
    QPixmap logo;
    if (!logo.load(QStringLiteral("logo.bmp"), "BMP"))
        throw std::runtime_error("logo.bmp is not a readable bitmap");
    Image1->setPixmap(logo);
    Image1->adjustSize();
}

void TForm1::showShowcaseLogo(int logo) {
    if (logo == 0) {
        showLogoFile();
        return;
    }
    Image1->setPixmap(m_sampleLogos[static_cast<size_t>(logo - 1)]->pixmap());
    Image1->adjustSize();
}

void TForm1::Timer4Timer() {
    showcasePosition = nextShowcasePosition(showcasePosition);
    showShowcaseLogo(showcasePreset(showcasePosition).logo);
    applyShowcasePreset(showcasePosition, brandRecord());
    Reposition();
    // Reposition leaves both menus hidden; the preset's menu is built again as the set-up builds it.
    statdesk::buildLinkMenus(m_linkMenu1, m_linkMenu2, brandRecord());
}

// The band takes the brand's colour and height, or goes when the brand has none.
void TForm1::applyBand() {
    const BrandRecord& brand = brandRecord();
    if (!brand.ShowBand) {
        CoolBar1->hide();
        return;
    }
    QPalette band = CoolBar1->palette();
    const QColor colour = colourFromReference(brand.BandColour);
    band.setColor(QPalette::Window, colour);
    // The band's own texts stay readable whatever colour the brand chose.
    band.setColor(QPalette::WindowText, colour.lightness() < 128 ? Qt::white : Qt::black);
    CoolBar1->setPalette(band);
    CoolBar1->setFixedHeight(brand.BandHeight);
}

void TForm1::Reposition() {
    const BrandRecord& brand = brandRecord();
    hidePanelLinks(m_panelLinks);
    hideLinkMenu(m_linkMenu1);
    hideLinkMenu(m_linkMenu2);
    applyBand();
    setWindowTitle(brand.Title);
    if (brand.ShowBand)
        placePanelLinks(m_panelLinks, brand);

    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        QWidget* child = (*it)->widget();
        if (!isPlayerWindow(child) && !isTeamWindow(child))
            continue;
        if (auto* table = qobject_cast<TableWindow*>(child)) {
            table->Label2()->setText(brand.BrandHome);
            table->Label2()->adjustSize();
        }
    }
    // Each child is activated once; the one that was active ends active again.
    for (qsizetype i = 0; i < children.size(); ++i)
        m_mdiArea->activateNextSubWindow();
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        runHandler([this] { FormActivate(); });
}

void TForm1::FormActivate() {
    SharedDialogs& dialogs = sharedDialogs();
    if (brandRecord().ShowcaseMode && !welcomeShown && dialogs.Form17) {
        welcomeShown = true;
        dialogs.Form17->exec();
    }
    if (dialogs.Form15) {
        // The band keeps its height when hidden, and the preview is placed by it all the same.
        const int bandHeight = CoolBar1->height();
        dialogs.Form15->resize(width() - 30, height() - bandHeight - 120);
        dialogs.Form15->move(dialogs.Form15->x(), bandHeight + 60);
    }
}

void TForm1::About1Click() {
    if (TAboutBox* about = sharedDialogs().AboutBox)
        about->exec();
}

void TForm1::Changeproxysettings1Click() {
    if (TForm14* proxy = sharedDialogs().Form14)
        proxy->exec();
}

void TForm1::Tile1Click() {
    // Horizontal tiling: the children stacked one above the other, each as wide as the frame.
    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList();
    if (children.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int height = area.height() / static_cast<int>(children.size());
    int top = 0;
    for (QMdiSubWindow* child : children) {
        child->showNormal();
        child->setGeometry(0, top, area.width(), height);
        top += height;
    }
}

void TForm1::Cascade1Click() {
    m_mdiArea->cascadeSubWindows();
}

void TForm1::ArrangeAll1Click() {
    // Arrange the minimised children's icons along the bottom edge.
    const QRect area = m_mdiArea->viewport()->rect();
    int left = 0;
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        if (!child->isMinimized())
            continue;
        child->move(left, area.height() - child->height());
        left += child->width();
    }
}

void TForm1::closeChildrenLastToFirst() {
    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = children.crbegin(); it != children.crend(); ++it)
        (*it)->close();
}

void TForm1::Exit1Click() {
    closeChildrenLastToFirst();
    QCoreApplication::exit(0);
}

void TForm1::closeEvent(QCloseEvent* event) {
    runHandler([this] { closeChildrenLastToFirst(); });
    event->accept();
}

bool TForm1::isPlayerWindow(const QWidget* window) {
    return window && window->windowTitle().left(15) == QLatin1String("Basketball Play");
}

bool TForm1::isTeamWindow(const QWidget* window) {
    return window && window->windowTitle().left(15) == QLatin1String("Basketball Team");
}

} // namespace statdesk
