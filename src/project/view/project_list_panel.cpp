#include "project/view/project_list_panel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVBoxLayout>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "platform/qt/qt_text.h"

ProjectListPanel::ProjectListPanel(TEmbedded& app, ControlBinder& binder, QWidget* parent)
    : QFrame(parent), m_memo(new QPlainTextEdit(this))
{
    ControlSet& c = app.controls();
    setObjectName("OptionPanel");
    setFixedWidth(Width);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    auto* title = qobject_cast<QLabel*>(binder.createWidget(c["ProjectListTitle"], this));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    m_memo->setObjectName("Memo2");
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setUndoRedoEnabled(false);
    // The labels line up their colons with blanks, as set in a proportional font.
    QFont small = m_memo->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_memo->setFont(small);
    layout->addWidget(m_memo, 1);

    QPointer<QPlainTextEdit> memo(m_memo);
    Control& lines = c["Memo2"];
    binder.watch(lines, [memo, &lines] {
        if (!memo)
            return;
        std::string text;
        for (const std::string& line : lines.entries()) {
            text += line;
            text += '\n';
        }
        if (!text.empty())
            text.pop_back();
        memo->setPlainText(toQ(text));
    });
    Control& panel = c["OptionPanel"];
    QPointer<ProjectListPanel> self(this);
    binder.watch(panel, [self, &panel] {
        if (self)
            self->setVisible(panel.visible());
    });
}
