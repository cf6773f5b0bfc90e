#include "MainWindow.h"

#include "BrandRecord.h"
#include "ClickableLabel.h"
#include "Hosts.h"
#include "NewsReaders.h"
#include "Seams.h"
#include "StatdeskApplication.h"
#include "THttpCli.h"

#include <QFrame>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace statdesk {
namespace {

const QString kTodaysArticles = QStringLiteral("/scroller/dataFiles/todaysArticles.txt");
const QString kYesterdaysArticles = QStringLiteral("/scroller/dataFiles/yesterDaysArticles.txt");
const QString kNewsPage = QStringLiteral("/home.asp?category=Basketball");
const QString kSummaryPage = QStringLiteral("/content.asp");

std::optional<QStringList> download(THttpCli& client, const QString& path) {
    client.setURL(hosts::news() + path);
    return getReplyLines(client);
}

// Moves over a child reach the band too; only those over no visible child are its own.
bool overBandBackground(const QWidget& band, QPoint at) {
    const QList<QWidget*> children = band.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return std::none_of(children.begin(), children.end(), [at](const QWidget* child) {
        return child->isVisible() && child->geometry().contains(at);
    });
}

QString newsRoot() {
    return QStringLiteral("http://") + hosts::news() + QLatin1Char('/');
}

} // namespace

void TForm1::connectNewsTicker() {
    connect(Timer1, &QTimer::timeout, this, [this] { runHandler([this] { Timer1Timer(); }); });
    connect(Timer2, &QTimer::timeout, this, [this] { runHandler([this] { Timer2Timer(); }); });
    const auto onClick = [this](QLabel* label, auto handler) {
        connect(static_cast<ClickableLabel*>(label), &ClickableLabel::clicked, this,
                [this, handler] { runHandler([&] { handler(); }); });
    };
    onClick(Label3, [this] { Label3Click(); });
    onClick(Label4, [this] { Label4Click(); });
    onClick(Label5, [this] { Label5Click(); });
    for (int i = 1; i <= 3; ++i)
        onClick(Articles.at(static_cast<size_t>(i - 1)), [this, i] { articleClick(i); });

    // Moves without a button held reach only widgets that track the mouse.
    CoolBar1->setMouseTracking(true);
    Label3->setMouseTracking(true);
    Label4->setMouseTracking(true);
    CoolBar1->installEventFilter(this);
    for (QLabel* label : std::as_const(m_newsLabels))
        label->installEventFilter(this);
}

// Downloads everything once; the rotations only show what is here. A failed headline list stays
// empty, a failed page ends the set-up with the rotations off.
void TForm1::runNewsSetup() {
    m_ticker.resetHeadlinePositions();
    ListBox2 = download(*HttpCli2, kTodaysArticles).value_or(QStringList());
    ListBox3 = download(*HttpCli3, kYesterdaysArticles).value_or(QStringList());

    std::optional<QStringList> page = download(*BaseballArticleGaffle, kNewsPage);
    if (!page)
        return;
    ListBox4 = *page;
    m_ticker.articles() = readArticleLinks(ListBox4);

    for (QStringList* headlines : {&ListBox2, &ListBox3}) {
        page = download(*SummaryGank, kSummaryPage);
        if (!page)
            return;
        ListBox4 = *page;
        mergeSummaries(*headlines, ListBox4);
    }
    Timer1->start();
    Timer2->start();
}

void TForm1::Timer1Timer() {
    const std::optional<TickerRotation::Headline> headline = m_ticker.nextHeadline(ListBox2, ListBox3);
    if (!headline)
        return;
    QLabel* label = headline->today ? Label3 : Label4;
    label->setText(headline->caption);
    label->setToolTip(headline->tooltip);
}

void TForm1::Timer2Timer() {
    const TickerRotation::Article article = m_ticker.nextArticle();
    QLabel* label = Articles.at(static_cast<size_t>(article.label - 1));
    label->setText(article.entry.title);
    label->setToolTip(article.entry.summary);
}

// Before the first headline there is no address to open.
void TForm1::Label3Click() {
    if (!m_ticker.todayAddress().isEmpty())
        seams::opener().open(m_ticker.todayAddress());
}

void TForm1::Label4Click() {
    if (!m_ticker.yesterdayAddress().isEmpty())
        seams::opener().open(m_ticker.yesterdayAddress());
}

void TForm1::Label5Click() {
    seams::opener().open(QStringLiteral("http://") + hosts::news() + kNewsPage);
}

// Article paths start with "/": joined to the root with one slash, so the address names the page
// the news site serves.
void TForm1::articleClick(int label) {
    const QString path = m_ticker.articlePath(label);
    if (path == QLatin1String(TickerRotation::kNothingToOpen))
        return;
    seams::opener().open(newsRoot() + (path.startsWith(QLatin1Char('/')) ? path.mid(1) : path));
}

void TForm1::pauseNews() {
    Timer1->stop();
    Timer2->stop();
}

void TForm1::resumeNews() {
    if (!brandRecord().ShowNews)
        return;
    Timer1->start();
    Timer2->start();
}

// Pause over a headline or on a press on the first or third article title; resume over the band's
// own background. Ticker tooltips stay up for the hint display time.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched == Label3 || watched == Label4) {
            pauseNews();
        } else if (watched == CoolBar1) {
            if (overBandBackground(*CoolBar1, static_cast<QMouseEvent*>(event)->position().toPoint()))
                resumeNews();
        }
        break;
    case QEvent::MouseButtonPress:
        if (watched == Articles[0] || watched == Articles[2])
            pauseNews();
        break;
    case QEvent::ToolTip:
        if (auto* label = qobject_cast<QLabel*>(watched); label && m_newsLabels.contains(label)) {
            const auto* help = static_cast<QHelpEvent*>(event);
            if (label->toolTip().isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), label->toolTip(), label, {},
                                   hintDisplayTimeMs > 0 ? hintDisplayTimeMs : -1);
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace statdesk
