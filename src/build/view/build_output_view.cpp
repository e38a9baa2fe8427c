#include "build/view/build_output_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "build/build_output.h"
#include "build/view/build_output_model.h"
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

QLabel* textLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
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

    m_heading = textLabel("BuildOutputHeading", body);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_summary = textLabel("BuildOutputSummary", body);
    m_notes = textLabel("BuildOutputNotes", body);
    m_notes->setStyleSheet("QLabel { color: #7a4d00; }");
    m_message = textLabel("BuildOutputMessage", body);
    m_message->setStyleSheet("QLabel { color: #a01010; }");
    m_list = new QListView(body);
    m_list->setObjectName("BuildOutputList");
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->installEventFilter(this);
    for (QLabel* label : {m_heading, m_summary, m_notes, m_message})
        layout->addWidget(label);
    layout->addWidget(m_list, 1);
    setWidget(body);

    connect(m_list, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { m_output.openLine(m_model->numberOf(index.row())); });

    // F4 and Shift+F4 anywhere in the main window, editors included.
    auto addStep = [this, parent](const char* name, const QKeySequence& key, void (BuildOutput::*step)()) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, step] { (m_output.*step)(); });
        (parent ? parent : this)->addAction(action);
    };
    addStep("BuildOutputNext", QKeySequence(Qt::Key_F4), &BuildOutput::nextDiagnostic);
    addStep("BuildOutputPrevious", QKeySequence(Qt::SHIFT | Qt::Key_F4), &BuildOutput::previousDiagnostic);

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
}

void BuildOutputView::changed(int change)
{
    switch (static_cast<BuildOutput::Change>(change)) {
    case BuildOutput::Change::Reset:
        m_model->reset();
        break;
    case BuildOutput::Change::Lines: {
        // Keep to the end while the user is there; leave a place they scrolled to alone.
        QScrollBar* bar = m_list->verticalScrollBar();
        const bool atEnd = bar->value() >= bar->maximum();
        m_model->sync();
        if (atEnd)
            m_list->scrollToBottom();
        break;
    }
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

BuildOutputView* installBuildOutputView(TEmbedded& app, QMainWindow& window, QtShell* shell)
{
    auto* view = new BuildOutputView(app, std::make_unique<QtBuildFollower>(shell), &window);
    window.addDockWidget(Qt::BottomDockWidgetArea, view);
    if (QAction* item = window.findChild<QAction*>(BuildOutput::MenuItem))
        item->setCheckable(true);
    return view;
}
