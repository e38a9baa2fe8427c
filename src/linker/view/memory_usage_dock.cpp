#include "linker/view/memory_usage_dock.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QScrollArea>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "build/build_output.h"
#include "linker/view/memory_bar.h"
#include "linker/view/memory_symbol_model.h"
#include "platform/qt/qt_text.h"

namespace
{

QLabel* label(const char* name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QString totalText(const char* name, const RegionTotal& r)
{
    if (r.size == 0)
        return QString("<b>%1</b>: no range").arg(name);
    return QString("<b>%1</b>: %2 of %3 bytes (%4%) %5")
        .arg(name)
        .arg(r.used)
        .arg(r.size)
        .arg(fillPercent(r.used, r.size), 0, 'f', 1)
        .arg(MemoryUsageDock::changeText(r.change));
}

} // namespace

QString MemoryUsageDock::changeText(const std::optional<long>& change)
{
    if (!change)
        return {};
    const char* colour = *change > 0 ? "#b71c1c" : *change < 0 ? "#1b5e20" : "#555555";
    return QString("<span style=\"color:%1\">%2 bytes</span>").arg(colour, toQ(signedBytes(*change)));
}

namespace
{

std::unique_ptr<MemoryWatch> makeWatch(TEmbedded& app)
{
    return std::make_unique<MemoryWatch>(app.controls(), app.host().files, app.settings(), app.buildOutput(),
                                         app.editors());
}

} // namespace

MemoryUsageDock::MemoryUsageDock(TEmbedded& app, QWidget* parent) : MemoryUsageDock(app, makeWatch(app), parent) {}

MemoryUsageDock::MemoryUsageDock(TEmbedded& app, std::unique_ptr<MemoryWatch> watch, QWidget* parent)
    : QDockWidget(QStringLiteral("Memory Usage"), parent),
      m_watch(std::move(watch)),
      m_binder(new ControlBinder(app.controls(), this))
{
    setObjectName("MemoryUsageDock");
    auto* splitter = m_splitter = new QSplitter(Qt::Vertical, this);

    auto* scroll = m_scroll = new QScrollArea(splitter);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* top = new QWidget(scroll);
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(6, 4, 6, 4);
    topLayout->setSpacing(4);
    m_status = label("MemoryStatus", top);
    m_status->setTextFormat(Qt::PlainText);
    m_rom = label("MemoryRomTotal", top);
    m_ram = label("MemoryRamTotal", top);
    for (QLabel* l : {m_rom, m_ram})
        l->setTextFormat(Qt::RichText);
    m_bars = new QWidget(top);
    m_bars->setObjectName("MemoryBars");
    m_barLayout = new QVBoxLayout(m_bars);
    m_barLayout->setContentsMargins(0, 0, 0, 0);
    m_problems = label("MemoryProblems", top);
    m_problems->setTextFormat(Qt::PlainText);
    m_problems->setStyleSheet("QLabel { color: #c00000; }");
    // The linker's problems first: they explain what the numbers lack.
    for (QWidget* w : {static_cast<QWidget*>(m_status), static_cast<QWidget*>(m_problems),
                       static_cast<QWidget*>(m_rom), static_cast<QWidget*>(m_ram), m_bars})
        topLayout->addWidget(w);
    topLayout->addStretch(1);
    scroll->setWidget(top);

    auto* bottom = new QWidget(splitter);
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(6, 0, 6, 4);
    m_filter = new QLineEdit(bottom);
    m_filter->setObjectName("MemorySymbolFilter");
    m_filter->setPlaceholderText("Filter symbols");
    m_filter->setClearButtonEnabled(true);
    m_symbols = new MemorySymbolModel(this);
    m_proxy = new QSortFilterProxyModel(this);
    m_proxy->setSourceModel(m_symbols);
    m_proxy->setFilterKeyColumn(-1);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setSortRole(Qt::UserRole);
    m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_table = new QTableView(bottom);
    m_table->setObjectName("MemorySymbols");
    m_table->setModel(m_proxy);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(MemorySymbolModel::AddressCol, Qt::AscendingOrder);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    // On a narrow panel the symbol's name gives way; the numbers keep their room.
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(MemorySymbolModel::SymbolCol, QHeaderView::Stretch);
    header->setMinimumSectionSize(36);
    header->setResizeContentsPrecision(200); // rows sampled: a long list must not hold up the update
    m_table->setTextElideMode(Qt::ElideRight);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setToolTip("Double-click a symbol to open its source");
    m_message = label("MemoryMessage", bottom);
    m_message->setTextFormat(Qt::PlainText);
    bottomLayout->addWidget(m_filter);
    bottomLayout->addWidget(m_table, 1);
    bottomLayout->addWidget(m_message);
    splitter->addWidget(scroll);
    splitter->addWidget(bottom);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    setWidget(splitter);

    connect(m_filter, &QLineEdit::textChanged, m_proxy, &QSortFilterProxyModel::setFilterFixedString);
    connect(m_table, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { symbolActivated(i); });
    Control& item = app.controls()[MemoryWatch::MenuItem];
    m_binder->watch(item, [this, &item] { setVisible(item.checked()); });
    m_watch->onChanged = [this] { refresh(); };
    refresh();
}

MemoryUsageDock::~MemoryUsageDock()
{
    m_watch->onChanged = nullptr;
}

void MemoryUsageDock::refresh()
{
    while (QLayoutItem* item = m_barLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_message->clear();
    const std::optional<MemoryUsage>& usage = m_watch->usage();
    m_status->setText(toQ(m_watch->statusText()));
    const bool shown = usage && usage->available;
    m_rom->setVisible(shown);
    m_ram->setVisible(shown);
    QStringList problems;
    if (usage)
        for (const std::string& p : usage->problems)
            problems << toQ(p);
    m_problems->setText(problems.join('\n'));
    m_problems->setVisible(!problems.isEmpty());
    m_symbols->setSymbols(shown ? usage->symbols : std::vector<ListedSymbol>());
    if (!shown)
        return;
    m_rom->setText(totalText("ROM", usage->rom));
    m_ram->setText(totalText("RAM", usage->ram));
    for (const RangeUsage& r : usage->ranges) {
        auto* bar = new MemoryBar(r, m_bars);
        m_barLayout->addWidget(bar);
        bar->setVisible(true); // now, so that the height below counts it
    }
    // The totals and the bars stay in sight; the symbol list gives way on a small screen.
    QWidget* top = m_scroll->widget();
    top->layout()->activate();
    // Wrapped lines (a long problem) take the height they need at the panel's width.
    const int width = m_scroll->viewport()->width();
    const int needed =
        top->hasHeightForWidth() && width > 50 ? top->heightForWidth(width) : top->sizeHint().height();
    const int wanted = std::min(needed + 2, 320);
    m_scroll->setMinimumHeight(wanted);
    if (m_splitter->height() > wanted)
        m_splitter->setSizes({wanted, m_splitter->height() - wanted});
}

void MemoryUsageDock::symbolActivated(const QModelIndex& index)
{
    if (const ListedSymbol* symbol = m_symbols->symbolAt(m_proxy->mapToSource(index).row())) {
        const ListedSymbol chosen = *symbol; // the list may be read again while the source opens
        m_message->setText(toQ(m_watch->openSymbol(chosen)));
    }
}

void MemoryUsageDock::showEvent(QShowEvent* e)
{
    QDockWidget::showEvent(e);
    fitWidth();
}

void MemoryUsageDock::fitWidth()
{
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    // A panel shown before it is placed (its first showing builds it) is sized once placed.
    if (m_sized || !window || isFloating() || !isVisible() || window->dockWidgetArea(this) == Qt::NoDockWidgetArea)
        return;
    m_sized = true;
    window->resizeDocks({this}, {std::clamp(window->width() / 3, 400, 440)}, Qt::Horizontal);
}

void MemoryUsageDock::closeEvent(QCloseEvent* e)
{
    m_watch->setVisible(false);
    QDockWidget::closeEvent(e);
}

namespace
{

MemoryUsageDock* putInDock(TEmbedded& app, QMainWindow& window, std::unique_ptr<MemoryWatch> watch)
{
    auto* dock = new MemoryUsageDock(app, std::move(watch), &window);
    // The panel runs the window's full height, beside the Build Output panel.
    window.setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->setVisible(app.controls()[MemoryWatch::MenuItem].checked());
    dock->fitWidth();
    return dock;
}

void makeItemCheckable(QMainWindow& window)
{
    if (QAction* item = window.findChild<QAction*>(MemoryWatch::MenuItem))
        item->setCheckable(true);
}

} // namespace

MemoryUsageDock* installMemoryUsageView(TEmbedded& app, QMainWindow& window)
{
    makeItemCheckable(window);
    return putInDock(app, window, makeWatch(app));
}

void installMemoryUsageViewOnFirstUse(TEmbedded& app, QMainWindow& window)
{
    makeItemCheckable(window);
    // The figures follow every build from the start, so the change shown is since the previous
    // build even when the panel was hidden; the panel itself is built when first shown.
    auto watch = std::make_shared<std::unique_ptr<MemoryWatch>>(makeWatch(app));
    auto* binder = new ControlBinder(app.controls(), &window);
    Control& item = app.controls()[MemoryWatch::MenuItem];
    QPointer<QMainWindow> w(&window);
    binder->watch(item, [&app, &item, w, watch, binder] {
        if (!w || !item.checked() || !*watch)
            return;
        putInDock(app, *w, std::move(*watch));
        binder->deleteLater();
    });
}
