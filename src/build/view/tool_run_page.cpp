#include "build/view/tool_run_page.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QVBoxLayout>

#include "build/tool_runs.h"
#include "build/view/build_output_model.h"
#include "platform/host/build_follower.h"
#include "platform/qt/qt_text.h"

namespace
{

QLabel* textLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

ToolRunPage::ToolRunPage(ToolRuns& runs, RunKind kind, QWidget* parent)
    : QWidget(parent), m_runs(runs), m_kind(kind),
      m_model(new BuildOutputModel(runs.run(kind).transcript(), this))
{
    setObjectName(QString(ToolRuns::kindName(kind)).remove(' ') + "RunPage");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_heading = textLabel("ToolRunHeading", this);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_summary = textLabel("ToolRunSummary", this);
    m_message = textLabel("ToolRunMessage", this);
    m_message->setStyleSheet("QLabel { color: #a01010; }");
    m_list = new QListView(this);
    m_list->setObjectName("ToolRunList");
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->installEventFilter(this);
    for (QLabel* label : {m_heading, m_summary, m_message})
        layout->addWidget(label);
    layout->addWidget(m_list, 1);

    connect(m_list, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { m_runs.openLine(m_kind, m_model->numberOf(index.row())); });
    m_subscription = runs.subscribe([this](RunKind k, ToolRuns::Change c) {
        if (k == m_kind)
            changed(static_cast<int>(c));
    });
    refreshTexts();
}

ToolRunPage::~ToolRunPage()
{
    m_runs.unsubscribe(m_subscription);
    if (m_follower)
        m_runs.setFollower(m_kind, nullptr);
}

void ToolRunPage::setFollower(std::unique_ptr<BuildFollower> follower)
{
    m_runs.setFollower(m_kind, follower.get());
    m_follower = std::move(follower);
}

void ToolRunPage::changed(int change)
{
    switch (static_cast<ToolRuns::Change>(change)) {
    case ToolRuns::Change::Reset:
        m_model->reset();
        break;
    case ToolRuns::Change::Lines: {
        // Keep to the end while the user is there; leave a place they scrolled to alone.
        QScrollBar* bar = m_list->verticalScrollBar();
        const bool atEnd = bar->value() >= bar->maximum();
        m_model->sync();
        if (atEnd)
            m_list->scrollToBottom();
        break;
    }
    case ToolRuns::Change::Texts:
    case ToolRuns::Change::Shown:
        break;
    }
    refreshTexts();
}

void ToolRunPage::refreshTexts()
{
    const FollowedRun& run = m_runs.run(m_kind);
    m_heading->setText(toQ(run.heading()));
    const std::string summary = run.summary();
    m_summary->setText(toQ(summary));
    m_summary->setVisible(!summary.empty());
    m_message->setText(toQ(run.message()));
    m_message->setVisible(!run.message().empty());
}

bool ToolRunPage::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_list && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_list->currentIndex().isValid()) {
            m_runs.openLine(m_kind, m_model->numberOf(m_list->currentIndex().row()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}
