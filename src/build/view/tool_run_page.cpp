#include "build/view/tool_run_page.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

#include "build/tool_runs.h"
#include "build/view/build_output_model.h"
#include "build/view/output_widgets.h"
#include "platform/host/build_follower.h"
#include "platform/qt/qt_text.h"

ToolRunPage::ToolRunPage(ToolRuns& runs, RunKind kind, QWidget* parent)
    : QWidget(parent), m_runs(runs), m_kind(kind),
      m_model(new BuildOutputModel(runs.run(kind).transcript(), this))
{
    setObjectName(QString(ToolRuns::kindName(kind)).remove(' ') + "RunPage");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_heading = outputLabel("ToolRunHeading", this, true);
    m_summary = outputLabel("ToolRunSummary", this);
    m_message = outputLabel("ToolRunMessage", this);
    m_message->setStyleSheet("QLabel { color: #a01010; }");
    m_list = outputList("ToolRunList", m_model, this);
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
    case ToolRuns::Change::Lines:
        m_model->syncKeepingEnd(*m_list);
        break;
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
