#include "build/view/build_output_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QPointer>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "build/build_output.h"
#include "build/tool_runs.h"
#include "build/view/build_output_model.h"
#include "build/view/output_widgets.h"
#include "build/view/tool_run_page.h"
#include "platform/qt/qt_build_follower.h"
#include "platform/qt/qt_text.h"

namespace {

QString joined(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& l : lines)
        out << toQ(l);
    return out.join('\n');
}


}  // namespace

BuildOutputView::BuildOutputView(TEmbedded& app, std::unique_ptr<BuildFollower> follower, QWidget* parent)
    : QDockWidget(QStringLiteral("Build Output"), parent),
      m_app(app),
      m_output(app.buildOutput()),
      m_follower(std::move(follower)),
      m_binder(new ControlBinder(app.controls(), this)),
      m_model(new BuildOutputModel(m_output, this))
{
    setObjectName("BuildOutputDock");
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);

    m_heading = outputLabel("BuildOutputHeading", body, true);
    m_summary = outputLabel("BuildOutputSummary", body);
    m_notes = outputLabel("BuildOutputNotes", body);
    m_notes->setStyleSheet("QLabel { color: #7a4d00; }");
    m_message = outputLabel("BuildOutputMessage", body);
    m_message->setStyleSheet("QLabel { color: #a01010; }");
    m_list = outputList("BuildOutputList", m_model, body);
    m_list->installEventFilter(this);
    for (QLabel* label : {m_heading, m_summary, m_notes, m_message})
        layout->addWidget(label);
    layout->addWidget(m_list, 1);

    // The build's page first; the tabs appear once a tool has run.
    auto* outer = new QWidget(this);
    auto* outerLayout = new QVBoxLayout(outer);
    outerLayout->setContentsMargins(0, 0, 0, 0);
    outerLayout->setSpacing(0);
    m_tabs = new QTabBar(outer);
    m_tabs->setObjectName("BuildOutputRuns");
    m_tabs->setDocumentMode(true);
    m_tabs->setExpanding(false);
    m_pages = new QStackedWidget(outer);
    m_pages->addWidget(body);
    for (RunKind kind : {RunKind::Assembler, RunKind::Programmer, RunKind::UserTool}) {
        auto* page = new ToolRunPage(app.toolRuns(), kind, m_pages);
        page->layout()->setContentsMargins(6, 4, 6, 4);
        m_pages->addWidget(page);
    }
    outerLayout->addWidget(m_tabs);
    outerLayout->addWidget(m_pages, 1);
    setWidget(outer);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            m_app.toolRuns().show(static_cast<RunKind>(m_tabs->tabData(index).toInt()));
    });
    m_runsSubscription = app.toolRuns().subscribe([this](RunKind, ToolRuns::Change c) {
        if (c == ToolRuns::Change::Shown || c == ToolRuns::Change::Reset)
            showRuns();
    });
    showRuns();

    connect(m_list, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { m_output.openLine(m_model->numberOf(index.row())); });

    Control& item = app.controls()[BuildOutput::MenuItem];
    m_binder->watch(item, [this, &item] { setVisible(item.checked()); });
    m_subscription = m_output.subscribe([this](BuildOutput::Change c) { changed(static_cast<int>(c)); });
    m_output.setFollower(m_follower.get());
    refreshTexts();
}

BuildOutputView::~BuildOutputView()
{
    m_output.setFollower(nullptr);
    m_output.unsubscribe(m_subscription);
    m_app.toolRuns().unsubscribe(m_runsSubscription);
}

ToolRunPage* BuildOutputView::toolPage(RunKind kind) const
{
    for (int i = 0; i < m_pages->count(); ++i)
        if (auto* page = dynamic_cast<ToolRunPage*>(m_pages->widget(i)); page && page->kind() == kind)
            return page;
    return nullptr;
}

void BuildOutputView::showRuns()
{
    const ToolRuns& runs = m_app.toolRuns();
    const std::vector<RunKind> kinds = runs.kinds();
    const QSignalBlocker quiet(m_tabs);
    while (m_tabs->count() > static_cast<int>(kinds.size()))
        m_tabs->removeTab(m_tabs->count() - 1);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const int at = static_cast<int>(i);
        if (at == m_tabs->count())
            m_tabs->addTab({});
        m_tabs->setTabText(at, ToolRuns::kindName(kinds[i]));
        m_tabs->setTabData(at, static_cast<int>(kinds[i]));
        if (kinds[i] == runs.shown())
            m_tabs->setCurrentIndex(at);
    }
    m_tabs->setVisible(kinds.size() > 1);
    ToolRunPage* page = runs.shown() == RunKind::Build ? nullptr : toolPage(runs.shown());
    m_pages->setCurrentWidget(page ? static_cast<QWidget*>(page) : m_pages->widget(0));
}

void BuildOutputView::changed(int change)
{
    switch (static_cast<BuildOutput::Change>(change)) {
    case BuildOutput::Change::Reset:
        m_model->reset();
        break;
    case BuildOutput::Change::Lines:
        m_model->syncKeepingEnd(*m_list);
        break;
    case BuildOutput::Change::Current:
        showCurrent();
        break;
    case BuildOutput::Change::Marks:
        m_model->notesChanged();
        return;
    case BuildOutput::Change::Texts:
    case BuildOutput::Change::Visibility:
        break;
    }
    refreshTexts();
}

void BuildOutputView::refreshTexts()
{
    m_heading->setText(toQ(m_output.heading()));
    const std::string summary = m_output.summary();
    m_summary->setText(toQ(summary));
    m_summary->setVisible(!summary.empty());
    const auto notes = m_output.notes();
    m_notes->setText(joined(notes));
    m_notes->setVisible(!notes.empty());
    m_message->setText(toQ(m_output.message()));
    m_message->setVisible(!m_output.message().empty());
}

void BuildOutputView::showCurrent()
{
    const auto number = m_output.currentLine();
    const auto row = number ? m_model->rowOf(*number) : std::nullopt;
    if (!row) {
        m_list->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(*row);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

void BuildOutputView::closeEvent(QCloseEvent* e)
{
    m_output.setVisible(false);
    QDockWidget::closeEvent(e);
}

void BuildOutputView::showEvent(QShowEvent* e)
{
    QDockWidget::showEvent(e);
    // A third of the window at first, so that on a small screen the editors keep the most room.
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (m_sized || !window || isFloating() || window->height() < 200)
        return;
    m_sized = true;
    window->resizeDocks({this}, {window->height() / 3}, Qt::Vertical);
}

bool BuildOutputView::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_list && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_list->currentIndex().isValid()) {
            m_output.openLine(m_model->numberOf(m_list->currentIndex().row()));
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, e);
}

namespace {

// F4 and Shift+F4 anywhere in the main window, editors included, whether the panel was ever
// shown or not.
void addDiagnosticKeys(BuildOutput& output, QMainWindow& window)
{
    auto addStep = [&output, &window](const char* name, const QKeySequence& key, void (BuildOutput::*step)()) {
        auto* action = new QAction(&window);
        action->setObjectName(name);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, &window, [&output, step] { (output.*step)(); });
        window.addAction(action);
    };
    addStep("BuildOutputNext", QKeySequence(Qt::Key_F4), &BuildOutput::nextDiagnostic);
    addStep("BuildOutputPrevious", QKeySequence(Qt::SHIFT | Qt::Key_F4), &BuildOutput::previousDiagnostic);
    if (QAction* item = window.findChild<QAction*>(BuildOutput::MenuItem))
        item->setCheckable(true);
}

BuildOutputView* putInDock(TEmbedded& app, QMainWindow& window, std::unique_ptr<BuildFollower> follower,
                           QtShell* shell)
{
    auto* view = new BuildOutputView(app, std::move(follower), &window);
    // A tool run shows the panel before it is followed, so a panel built then still follows it.
    for (RunKind kind : {RunKind::Assembler, RunKind::Programmer, RunKind::UserTool})
        view->toolPage(kind)->setFollower(std::make_unique<QtBuildFollower>(shell, "run"));
    window.addDockWidget(Qt::BottomDockWidgetArea, view);
    return view;
}

}  // namespace

BuildOutputView* installBuildOutputView(TEmbedded& app, QMainWindow& window, QtShell* shell)
{
    addDiagnosticKeys(app.buildOutput(), window);
    return putInDock(app, window, std::make_unique<QtBuildFollower>(shell), shell);
}

void installBuildOutputViewOnFirstUse(TEmbedded& app, QMainWindow& window, QtShell* shell)
{
    addDiagnosticKeys(app.buildOutput(), window);
    // The follower is there from the start, so that a build is followed whenever it begins;
    // the panel takes it over when it is built.
    auto follower = std::make_shared<std::unique_ptr<BuildFollower>>(std::make_unique<QtBuildFollower>(shell));
    app.buildOutput().setFollower(follower->get());
    auto* binder = new ControlBinder(app.controls(), &window);
    Control& item = app.controls()[BuildOutput::MenuItem];
    QPointer<QMainWindow> w(&window);
    binder->watch(item, [&app, &item, w, follower, binder, shell] {
        if (!w || !item.checked() || !*follower)
            return;
        putInDock(app, *w, std::move(*follower), shell);
        binder->deleteLater();
    });
    // A panel never built still lets go of its follower before the window goes.
    QObject::connect(&window, &QObject::destroyed, [&app, follower] {
        if (*follower)
            app.buildOutput().setFollower(nullptr);
    });
}
