#include "components/view/help_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "components/view/standard_icons.h"

namespace {

constexpr int TargetRole = Qt::UserRole;

QString fromBytes(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString pageName(const QUrl& url)
{
    return url.path();
}

}  // namespace

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (!m_book)
        return {};
    const std::string file = pageName(name).toStdString();
    if (type == QTextDocument::HtmlResource)
        return fromBytes(m_book->show(file).html);
    const auto bytes = m_book->resource(file);
    if (!bytes)
        return {};
    if (type == QTextDocument::StyleSheetResource)
        return fromBytes(*bytes);
    return QByteArray::fromStdString(*bytes);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle("Tarnel Help");
    // Help never keeps the program running once its main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);

    auto* bar = new QHBoxLayout;
    auto tool = [this, bar](const char* name, const char* text, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setIcon(standardicons::icon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        bar->addWidget(b);
        return b;
    };
    m_back = tool("Back", "Back", QStyle::SP_ArrowBack);
    m_forward = tool("Forward", "Forward", QStyle::SP_ArrowForward);
    QToolButton* home = tool("Home", "Contents", QStyle::SP_DirHomeIcon);
    bar->addStretch(1);
    outer->addLayout(bar);

    auto* split = new QSplitter(this);
    m_tabs = new QTabWidget(split);
    m_tabs->setObjectName("HelpTabs");

    m_contents = new QTreeWidget(m_tabs);
    m_contents->setObjectName("Contents");
    m_contents->setHeaderHidden(true);
    m_tabs->addTab(m_contents, "Contents");

    auto* indexPage = new QWidget(m_tabs);
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(new QLabel("Type in the keyword to find:", indexPage));
    m_indexField = new QLineEdit(indexPage);
    m_indexField->setObjectName("IndexKeyword");
    indexLayout->addWidget(m_indexField);
    m_indexList = new QListWidget(indexPage);
    m_indexList->setObjectName("Index");
    indexLayout->addWidget(m_indexList, 1);
    auto* display = new QPushButton("Display", indexPage);
    display->setObjectName("IndexDisplay");
    indexLayout->addWidget(display, 0, Qt::AlignRight);
    m_tabs->addTab(indexPage, "Index");

    auto* searchPage = new QWidget(m_tabs);
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(new QLabel("Type in the word(s) to search for:", searchPage));
    auto* searchRow = new QHBoxLayout;
    m_searchField = new QLineEdit(searchPage);
    m_searchField->setObjectName("SearchWords");
    searchRow->addWidget(m_searchField, 1);
    auto* list = new QPushButton("List Topics", searchPage);
    list->setObjectName("ListTopics");
    searchRow->addWidget(list);
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(new QLabel("Select topic to display:", searchPage));
    m_results = new QListWidget(searchPage);
    m_results->setObjectName("SearchResults");
    searchLayout->addWidget(m_results, 1);
    m_tabs->addTab(searchPage, "Search");

    m_browser = new HelpBrowser(split);
    m_browser->setObjectName("HelpPage");
    m_browser->setOpenLinks(false);
    split->addWidget(m_tabs);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 1);
    outer->addWidget(split, 1);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] { showContents(); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    // A window of its own, not a dialog: Escape would otherwise do nothing here.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        // Pages link within the help only; an address of the outside world opens nothing.
        if (url.scheme().isEmpty() || url.isLocalFile())
            m_browser->setSource(url, QTextDocument::HtmlResource);
    });

    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::followInContents);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == IndexTab)
            m_indexField->setFocus();
        else if (tab == SearchTab)
            m_searchField->setFocus();
    });
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { open(item->data(0, TargetRole).toString()); });
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { open(item->data(0, TargetRole).toString()); });
    connect(m_indexField, &QLineEdit::textEdited, this, &HelpWindow::filterIndex);
    auto openIndex = [this] {
        if (QListWidgetItem* item = m_indexList->currentItem())
            open(item->data(TargetRole).toString());
    };
    connect(m_indexField, &QLineEdit::returnPressed, this, openIndex);
    connect(display, &QPushButton::clicked, this, openIndex);
    connect(m_indexList, &QListWidget::itemActivated, this, openIndex);
    connect(list, &QPushButton::clicked, this, &HelpWindow::searchNow);
    connect(m_searchField, &QLineEdit::returnPressed, this, &HelpWindow::searchNow);
    connect(m_results, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        open(item->data(TargetRole).toString());
        const QStringList words = m_lastSearch.split(' ', Qt::SkipEmptyParts);
        if (!words.isEmpty())
            m_browser->find(words.first());
    });

    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(qMin(1000, area.width() * 4 / 5), qMin(760, area.height() * 17 / 20));
    move(area.center() - rect().center());
    split->setSizes({width() * 3 / 10, width() * 7 / 10});
}

HelpWindow::~HelpWindow()
{
    m_browser->setBook(nullptr);
}

void HelpWindow::setBook(std::unique_ptr<HelpBook> book)
{
    if (m_book && book && m_book->folder() == book->folder())
        return;
    m_book = std::move(book);
    m_browser->setBook(m_book.get());
    m_browser->clearHistory();
    buildContents();
    buildIndex();
    m_results->clear();
}

void HelpWindow::buildContents()
{
    m_contents->clear();
    if (!m_book)
        return;
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpBook::Entry& e : m_book->contents()) {
        const std::size_t level = std::min<std::size_t>(static_cast<std::size_t>(e.level), parents.size());
        parents.resize(level);
        auto* item = parents.empty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.back());
        item->setText(0, QString::fromStdString(e.title));
        item->setToolTip(0, item->text(0));
        item->setData(0, TargetRole, QString::fromStdString(e.target));
        parents.push_back(item);
    }
    m_contents->expandAll();
}

void HelpWindow::followInContents(const QUrl& source)
{
    const QString page = source.path();
    auto pageOf = [](QTreeWidgetItem* item) { return item->data(0, TargetRole).toString().section('#', 0, 0); };
    if (QTreeWidgetItem* current = m_contents->currentItem())
        if (pageOf(current).compare(page, Qt::CaseInsensitive) == 0)
            return;  // a page listed twice keeps the entry chosen
    // The page's own entry rather than the section that leads to it.
    QTreeWidgetItem* section = nullptr;
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if (pageOf(*it).compare(page, Qt::CaseInsensitive) != 0)
            continue;
        if ((*it)->childCount() == 0) {
            m_contents->setCurrentItem(*it);
            return;
        }
        if (!section)
            section = *it;
    }
    if (section)
        m_contents->setCurrentItem(section);
}

void HelpWindow::buildIndex()
{
    m_indexList->clear();
    if (!m_book)
        return;
    for (const HelpBook::Entry& e : m_book->index()) {
        auto* item = new QListWidgetItem(QString(e.level * 4, ' ') + QString::fromStdString(e.title), m_indexList);
        item->setData(TargetRole, QString::fromStdString(e.target));
    }
}

void HelpWindow::filterIndex(const QString& text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return;
    for (int i = 0; i < m_indexList->count(); ++i) {
        QListWidgetItem* item = m_indexList->item(i);
        if (item->text().trimmed().startsWith(wanted, Qt::CaseInsensitive)) {
            m_indexList->setCurrentItem(item);
            m_indexList->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpWindow::open(const QString& target)
{
    if (!target.isEmpty())
        m_browser->setSource(QUrl(target), QTextDocument::HtmlResource);
}

void HelpWindow::showTopic(long topic)
{
    open(QString::fromStdString(HelpBook::topicPage(topic)));
    present();
}

void HelpWindow::showContents()
{
    m_tabs->setCurrentIndex(ContentsTab);
    open(HelpBook::ContentsPage);
    present();
}

void HelpWindow::showIndex(const QString& keyword)
{
    m_tabs->setCurrentIndex(IndexTab);
    m_indexField->setText(keyword);
    filterIndex(keyword);
    m_indexField->setFocus();
    present();
}

void HelpWindow::search(const QString& words)
{
    m_tabs->setCurrentIndex(SearchTab);
    m_searchField->setText(words);
    searchNow();
    present();
}

void HelpWindow::searchNow()
{
    m_results->clear();
    m_lastSearch = m_searchField->text();
    if (!m_book)
        return;
    for (const HelpBook::Entry& e : m_book->search(m_lastSearch.toStdString())) {
        auto* item = new QListWidgetItem(QString::fromStdString(e.title), m_results);
        item->setData(TargetRole, QString::fromStdString(e.target));
    }
    if (m_results->count() == 0)
        new QListWidgetItem("No topics found.", m_results);
    else
        m_results->setCurrentRow(0);
}

void HelpWindow::present()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}
