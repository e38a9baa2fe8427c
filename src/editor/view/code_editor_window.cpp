#include "editor/view/code_editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/program_options.h"
#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "editor/tcode_ed.h"
#include "editor/syntax_rules.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_highlighter.h"
#include "editor/view/editor_printing.h"
#include "editor/view/font_dialog_view.h"
#include "editor/view/qt_text_buffer.h"
#include "editor/view/search_dialog_view.h"
#include "platform/qt/qt_text.h"

namespace {

// The usual keys, on top of the menus' own accelerators. Built on first use: standard keys
// are looked up in the running application's platform theme.
const std::map<std::string, QList<QKeySequence>>& shortcuts()
{
    static const std::map<std::string, QList<QKeySequence>> table = {
        {"Save1", {QKeySequence(QKeySequence::Save)}},
        {"Find1", {QKeySequence(QKeySequence::Find)}},
        {"Replace1", {QKeySequence(Qt::CTRL | Qt::Key_H), QKeySequence(Qt::CTRL | Qt::Key_R)}},
        {"Cut1", {QKeySequence(QKeySequence::Cut)}},
        {"Copy1", {QKeySequence(QKeySequence::Copy)}},
        {"Paste1", {QKeySequence(QKeySequence::Paste)}},
        {"SelectAll1", {QKeySequence(QKeySequence::SelectAll)}},
        {"Print1", {QKeySequence(QKeySequence::Print)}},
    };
    return table;
}

}  // namespace

CodeEditorWindow::CodeEditorWindow(TEmbedded& app, TCodeEd& ed, QWidget* parent)
    : QWidget(parent),
      m_ed(&ed),
      m_binder(new ControlBinder(ed.controls(), this)),
      m_optionBinder(new ControlBinder(app.controls(), this)),
      m_colours(&app.controls()[ProgramOptions::CodeColours])
{
    setObjectName("TCodeEd");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_editor = new CodeEditorWidget(this);
    layout->addWidget(m_editor, 1);

    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(false);
    for (int i = 1; i <= 6; ++i) {
        auto* label = new QLabel(toQ(ed.panel(i).text), bar);
        label->setObjectName(QString("Panel%1").arg(i));
        label->setMinimumWidth(ed.panel(i).width);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        // The last panel takes what width is left, for a note longer than its own.
        bar->addWidget(label, i == 6 ? 1 : 0);
        m_panels[i - 1] = label;
    }
    layout->addWidget(bar);

    m_buffer = new QtTextBuffer(m_editor);
    ed.attach(m_buffer, this);
    m_editor->onCharacterKey = [this](char c) {
        if (m_ed)
            m_ed->CodeEditorKeyPress(c);
    };
    m_editor->mayInsert = [this](int count) { return !m_ed || m_ed->allowsInsert(count); };
    auto selectionChanged = [this] {
        if (m_ed)
            m_ed->CodeEditorSelectionChange();
    };
    connect(m_editor, &QPlainTextEdit::cursorPositionChanged, this, selectionChanged);
    connect(m_editor, &QPlainTextEdit::textChanged, this, [this] {
        if (m_ed)
            m_ed->CodeEditorChange();
    });
    connect(m_editor, &QPlainTextEdit::selectionChanged, this, selectionChanged);

    buildMenus();
    auto* findAgain = new QAction(this);
    findAgain->setObjectName("FindAgain");
    findAgain->setShortcut(QKeySequence::FindNext);
    findAgain->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(findAgain, &QAction::triggered, this, [this] {
        if (m_ed)
            m_ed->FindAgain();
    });
    addAction(findAgain);

    m_editor->setMarks(&ed.marks());
    m_optionBinder->watch(app.controls()[ProgramOptions::CodeColours], [this] { decorate(); });
    ed.onChange([this](EditorChange c) { changed(c); });
    setWindowTitle(toQ(ed.caption()));
    applyFont();
    resize(TCodeEd::Width, TCodeEd::Height);
}

CodeEditorWindow::~CodeEditorWindow()
{
    detach();
}

void CodeEditorWindow::detach()
{
    if (!m_ed)
        return;
    TCodeEd* ed = m_ed;
    m_ed = nullptr;
    ed->clearObservers();
    m_editor->setMarks(nullptr);
    // The text stays with the core window for whatever still asks it (a save at shutdown).
    ed->attach(nullptr, nullptr);
    delete m_binder;
    m_binder = nullptr;
    delete m_optionBinder;
    m_optionBinder = nullptr;
    for (SearchDialogView* v : {m_findView, m_replaceView})
        if (v)
            v->deleteLater();
    m_findView = m_replaceView = nullptr;
}

void CodeEditorWindow::buildMenus()
{
    QMenu* current = nullptr;
    for (Control* c : m_ed->controls().all()) {
        if (c->kind() == ControlKind::Menu) {
            current = new QMenu(toQ(c->markupCaption()), this);
            current->setObjectName(toQ(c->name()));
            current->menuAction()->setObjectName(toQ(c->name()));
            m_menus[c->name()] = current;
            continue;
        }
        if (c->kind() != ControlKind::MenuItem || !current)
            continue;
        QAction* action = current->addAction(toQ(c->markupCaption()));
        action->setObjectName(toQ(c->name()));
        if (auto it = shortcuts().find(c->name()); it != shortcuts().end())
            action->setShortcuts(it->second);
        m_binder->bindAction(*action, *c);
    }
}

QMenu* CodeEditorWindow::menu(const std::string& name) const
{
    auto it = m_menus.find(name);
    return it == m_menus.end() ? nullptr : it->second;
}

void CodeEditorWindow::changed(EditorChange change)
{
    switch (change) {
    case EditorChange::Caption:
        setWindowTitle(toQ(m_ed->caption()));
        decorate();
        break;
    case EditorChange::Status:
        for (int i = 1; i <= 6; ++i) {
            m_panels[i - 1]->setText(toQ(m_ed->panel(i).text));
            // A narrow window cuts a panel's text; the whole text shows under the pointer.
            m_panels[i - 1]->setToolTip(toQ(m_ed->panel(i).text));
        }
        break;
    case EditorChange::Font:
        applyFont();
        break;
    case EditorChange::FindDialog:
        if (!m_findView)
            m_findView = new SearchDialogView(*m_ed, false, this);
        m_findView->mirror();
        break;
    case EditorChange::ReplaceDialog:
        if (!m_replaceView)
            m_replaceView = new SearchDialogView(*m_ed, true, this);
        m_replaceView->mirror();
        break;
    case EditorChange::Marks:
        m_editor->marksChanged();
        break;
    }
}

void CodeEditorWindow::applyFont()
{
    const EditorFont& f = m_ed->font();
    m_editor->setFont(toQFont(f));
    QPalette p = m_editor->palette();
    p.setColor(QPalette::Text, QColor::fromRgb(f.color));
    m_editor->setPalette(p);
}

void CodeEditorWindow::decorate()
{
    if (!m_ed)
        return;
    const bool on = m_colours->checked();
    m_editor->setDecorated(on);
    m_editor->highlighter()->setLanguage(on ? syntaxLanguageFor(m_ed->fileName()) : SyntaxLanguage::None);
    m_editor->viewport()->update();
}

std::optional<EditorFont> CodeEditorWindow::chooseFont(const FontDialog& dialog)
{
    return FontDialogView::choose(dialog, this);
}

bool CodeEditorWindow::print(const std::string& jobTitle)
{
    return editorprint::print(*m_editor, toQ(jobTitle), this);
}

void CodeEditorWindow::printSetup()
{
    editorprint::setup(this);
}

ScreenRect CodeEditorWindow::editorRect() const
{
    const QPoint topLeft = m_editor->mapToGlobal(QPoint(0, 0));
    return {topLeft.x(), topLeft.y(), m_editor->width(), m_editor->height()};
}

void CodeEditorWindow::closeEvent(QCloseEvent* e)
{
    // The core decides: the close query runs, and a closed window is taken away by the view
    // of the window list.
    e->ignore();
    if (m_ed)
        m_ed->close();
}
