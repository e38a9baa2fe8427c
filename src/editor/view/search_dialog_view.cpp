#include "editor/view/search_dialog_view.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "editor/tcode_ed.h"
#include "platform/qt/qt_text.h"

SearchDialogView::SearchDialogView(TCodeEd& ed, bool replace, QWidget* parent)
    : QDialog(parent), m_ed(ed), m_isReplace(replace)
{
    setObjectName(replace ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(replace ? "Replace" : "Find");
    setModal(false);
    setSizeGripEnabled(false);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    auto* findLabel = new QLabel("Fi&nd what:", this);
    m_find = new QLineEdit(toQ(state().findText), this);
    m_find->setObjectName("FindText");
    m_find->setMinimumWidth(200);
    findLabel->setBuddy(m_find);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(m_find, 0, 1);

    auto* buttons = new QVBoxLayout;
    m_findNext = new QPushButton("&Find Next", this);
    m_findNext->setObjectName("FindNext");
    m_findNext->setDefault(true);
    buttons->addWidget(m_findNext);
    if (replace) {
        auto* replaceLabel = new QLabel("Re&place with:", this);
        m_replace = new QLineEdit(toQ(m_ed.replaceDialog().replaceText), this);
        m_replace->setObjectName("ReplaceText");
        replaceLabel->setBuddy(m_replace);
        grid->addWidget(replaceLabel, 1, 0);
        grid->addWidget(m_replace, 1, 1);
        auto* wholeWord = new QCheckBox("Match &whole word only", this);
        auto* matchCase = new QCheckBox("Match &case", this);
        wholeWord->setObjectName("WholeWord");
        matchCase->setObjectName("MatchCase");
        wholeWord->setChecked(m_ed.replaceDialog().wholeWord);
        matchCase->setChecked(m_ed.replaceDialog().matchCase);
        grid->addWidget(wholeWord, 2, 0, 1, 2);
        grid->addWidget(matchCase, 3, 0, 1, 2);
        connect(wholeWord, &QCheckBox::toggled, this, [this](bool on) { m_ed.replaceDialog().wholeWord = on; });
        connect(matchCase, &QCheckBox::toggled, this, [this](bool on) { m_ed.replaceDialog().matchCase = on; });
        connect(m_replace, &QLineEdit::textEdited, this,
                [this](const QString& t) { m_ed.replaceDialog().replaceText = fromQ(t); });
        m_replaceOne = new QPushButton("&Replace", this);
        m_replaceOne->setObjectName("Replace");
        m_replaceAll = new QPushButton("Replace &All", this);
        m_replaceAll->setObjectName("ReplaceAll");
        buttons->addWidget(m_replaceOne);
        buttons->addWidget(m_replaceAll);
        connect(m_replaceOne, &QPushButton::clicked, this, [this] { m_ed.ReplaceDialogReplace(); });
        connect(m_replaceAll, &QPushButton::clicked, this, [this] { m_ed.ReplaceDialogReplaceAll(); });
    }
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Cancel");
    buttons->addWidget(cancel);
    // Fields first, then the boxes, then the buttons, as the platform's dialogs go.
    QWidget* order[] = {m_find, m_replace, findChild<QCheckBox*>("WholeWord"), findChild<QCheckBox*>("MatchCase"),
                        m_findNext, m_replaceOne, m_replaceAll, cancel};
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (!w)
            continue;
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    grid->addLayout(buttons, 0, 2, replace ? 4 : 2, 1, Qt::AlignTop);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    // As the platform's dialog: nothing to look for, nothing to press.
    auto enable = [this] {
        const bool any = !m_find->text().isEmpty();
        m_findNext->setEnabled(any);
        if (m_replaceOne) {
            m_replaceOne->setEnabled(any);
            m_replaceAll->setEnabled(any);
        }
    };
    enable();
    connect(m_find, &QLineEdit::textChanged, this, enable);
    connect(m_find, &QLineEdit::textEdited, this, [this](const QString& t) { state().findText = fromQ(t); });
    connect(m_findNext, &QPushButton::clicked, this,
            [this] { m_ed.Find(m_isReplace ? FindSource::ReplaceDialog : FindSource::FindDialog); });
    connect(cancel, &QPushButton::clicked, this, [this] { state().close(); });
}

SearchDialog& SearchDialogView::state() const
{
    if (m_isReplace)
        return m_ed.replaceDialog();
    return m_ed.findDialog();
}

void SearchDialogView::mirror()
{
    const SearchDialog& s = state();
    if (!s.shown()) {
        hide();
        return;
    }
    m_find->setText(toQ(s.findText));
    adjustSize();
    // The asked-for point, kept on the screen so the dialog can always be reached.
    QPoint at(s.position.x, s.position.y);
    if (const QScreen* screen = QGuiApplication::screenAt(at) ? QGuiApplication::screenAt(at)
                                                                : QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - width())));
        at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() - height())));
    }
    move(at);
    show();
    raise();
    activateWindow();
    m_find->setFocus();
    m_find->selectAll();
}

void SearchDialogView::closeEvent(QCloseEvent* e)
{
    state().close();
    e->accept();
}

void SearchDialogView::reject()
{
    state().close();
}
