#include "linker/view/command_file_editor_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCompleter>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "linker/command_file_editor.h"
#include "linker/command_file_wizard.h"
#include "linker/view/command_file_preview.h"
#include "linker/view/segment_grid_view.h"
#include "platform/qt/qt_text.h"

namespace {

constexpr int HexFieldWidth = 86;
const QSize PreferredSize(1080, 660);

QGroupBox* group(ControlSet& fields, const char* panel, QWidget* parent)
{
    auto* box = new QGroupBox(toQ(fields[panel].caption()), parent);
    box->setObjectName(panel);
    return box;
}

// A drop-down whose text may also be typed; the text is the control's text.
QComboBox* editableCombo(Control& c, ControlBinder& binder, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(toQ(c.name()));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : c.items())
        combo->addItem(toQ(item));
    // A typed "none" stays "none": neither completion nor Enter may turn it into an item.
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    QPointer<QComboBox> p(combo);
    binder.watch(c, [p, &c] {
        if (!p || p->currentText() == toQ(c.text()))
            return;
        const QSignalBlocker block(p);
        p->setCurrentIndex(p->findText(toQ(c.text()), Qt::MatchExactly | Qt::MatchCaseSensitive));
        p->setEditText(toQ(c.text()));
    });
    QObject::connect(combo, &QComboBox::currentTextChanged, combo, [&c](const QString& t) { c.setText(fromQ(t)); });
    binder.followVisibility(c, combo);
    return combo;
}

// A choice by index shown as a group of radio buttons side by side.
QGroupBox* radioGroup(Control& c, ControlBinder& binder, QWidget* parent)
{
    auto* box = new QGroupBox(toQ(c.caption()), parent);
    box->setObjectName(toQ(c.name()));
    auto* row = new QHBoxLayout(box);
    auto* buttons = new QButtonGroup(box);
    for (std::size_t i = 0; i < c.items().size(); ++i) {
        auto* radio = new QRadioButton(toQ(c.items()[i]), box);
        radio->setObjectName(toQ(c.name() + c.items()[i]));
        buttons->addButton(radio, static_cast<int>(i));
        row->addWidget(radio, 1);
    }
    QPointer<QButtonGroup> p(buttons);
    binder.watch(c, [p, &c] {
        if (!p)
            return;
        if (QAbstractButton* b = p->button(c.itemIndex()))
            b->setChecked(true);
    });
    QObject::connect(buttons, &QButtonGroup::idClicked, box, [&c](int id) { c.setItemIndex(id); });
    return box;
}

QLabel* labelFor(Control& c, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(toQ(c.label), parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CommandFileEditorDialog::CommandFileEditorDialog(TCommandFileEd& editor, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_binder(new ControlBinder(editor.fields(), this))
{
    setObjectName("TCommandFileEd");
    setWindowTitle(toQ(editor.caption()));
    setModal(true);
    setSizeGripEnabled(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 8, 10, 8);
    outer->setSpacing(6);
    QWidget* heading = m_binder->createWidget(editor.fields()["HeadingLabel"], this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    heading->setFont(bold);
    outer->addWidget(heading);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(8);
    columns->addWidget(buildSegments(), 11);
    columns->addWidget(buildSegmentLines(), 8);
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(buildTarget());
    right->addWidget(buildLibraries());
    right->addWidget(buildPreview(), 1);
    columns->addLayout(right, 12);
    outer->addLayout(columns, 1);

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    for (const char* name : {"Button1", "Button43"}) {
        QWidget* b = m_binder->createWidget(editor.fields()[name], this);
        b->setMinimumWidth(90);
        closeRow->addWidget(b);
    }
    outer->addLayout(closeRow);

    // Enter acts only where it means something (the name field, the grid, a focused button);
    // it never closes the dialog by surprise.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    QPointer<CommandFileEditorDialog> self(this);
    editor.onCaptionChanged = [self] {
        if (self)
            self->setWindowTitle(toQ(self->m_editor.caption()));
    };
    editor.onCommandFileChanged = [self] {
        if (self)
            self->m_preview->reload();
    };
    editor.onClose = [self] {
        if (self)
            self->done(self->m_editor.modalResult() == TCommandFileEd::ModalResult::Ok ? Accepted : Rejected);
    };
}

CommandFileEditorDialog::~CommandFileEditorDialog()
{
    m_editor.onCaptionChanged = nullptr;
    m_editor.onCommandFileChanged = nullptr;
    m_editor.onClose = nullptr;
}

QWidget* CommandFileEditorDialog::buildSegments()
{
    ControlSet& f = m_editor.fields();
    QGroupBox* box = group(f, "SegAssembler", this);
    auto* layout = new QVBoxLayout(box);

    auto* typeRow = new QHBoxLayout;
    QComboBox* type = editableCombo(f["SegType"], *m_binder, box);
    typeRow->addWidget(labelFor(f["SegType"], type, box));
    typeRow->addWidget(type, 1);
    layout->addLayout(typeRow);

    QWidget* name = m_binder->createWidget(f["Segmentname"], box);
    layout->addWidget(labelFor(f["Segmentname"], name, box));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name, 1);
    QWidget* offset = m_binder->createWidget(f["Offset"], box);
    offset->setFixedWidth(HexFieldWidth);
    nameRow->addWidget(offset);
    nameRow->addWidget(m_binder->createWidget(f["AddSeg"], box));
    layout->addLayout(nameRow);
    if (auto* line = qobject_cast<QLineEdit*>(name))
        connect(line, &QLineEdit::returnPressed, this, [this] { m_editor.AddSegClick(); });

    auto* gridRow = new QHBoxLayout;
    m_grid = new SegmentGridView(m_editor, box);
    m_grid->setMinimumHeight(150);
    gridRow->addWidget(m_grid, 1);
    auto* gridButtons = new QVBoxLayout;
    for (const char* button : {"EditSeg", "DownButton", "UpButton", "DeleteButton"})
        gridButtons->addWidget(m_binder->createWidget(f[button], box));
    gridButtons->addStretch(1);
    gridRow->addLayout(gridButtons);
    layout->addLayout(gridRow, 1);
    layout->addWidget(m_binder->createWidget(f["Counter"], box));
    return box;
}

QWidget* CommandFileEditorDialog::buildSegmentLines()
{
    ControlSet& f = m_editor.fields();
    QGroupBox* box = group(f, "SegLines", this);
    auto* layout = new QVBoxLayout(box);

    QGroupBox* memory = group(f, "MemLocations", box);
    auto* form = new QFormLayout(memory);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (const char* field : {"StartMem", "EndMem", "DumpMem"}) {
        QWidget* edit = m_binder->createWidget(f[field], memory);
        edit->setFixedWidth(HexFieldWidth);
        form->addRow(labelFor(f[field], edit, memory), edit);
    }
    layout->addWidget(memory);
    layout->addWidget(radioGroup(f["MemDir"], *m_binder, box));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_binder->createWidget(f["AcceptSegs"], box));
    buttons->addWidget(m_binder->createWidget(f["LineDelete"], box));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    QWidget* lines = m_binder->createWidget(f["SegList"], box);
    lines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lines->setMinimumHeight(90);
    layout->addWidget(lines, 1);
    return box;
}

QWidget* CommandFileEditorDialog::buildTarget()
{
    ControlSet& f = m_editor.fields();
    QGroupBox* box = group(f, "Target", this);
    auto* form = new QFormLayout(box);
    form->setVerticalSpacing(4);
    for (const char* field : {"CPU", "PRbox", "PWBox"}) {
        QComboBox* combo = editableCombo(f[field], *m_binder, box);
        form->addRow(labelFor(f[field], combo, box), combo);
    }
    return box;
}

QWidget* CommandFileEditorDialog::buildLibraries()
{
    ControlSet& f = m_editor.fields();
    QGroupBox* box = group(f, "RuntimeLibs", this);
    auto* row = new QHBoxLayout(box);
    QWidget* list = m_binder->createWidget(f["LibraryFiles"], box);
    list->setFixedHeight(112);
    row->addWidget(list, 1);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    for (const char* button : {"AddBtn", "RemoveBtn", "ClrBtn", "DefaultsBtn"})
        buttons->addWidget(m_binder->createWidget(f[button], box));
    buttons->addStretch(1);
    row->addLayout(buttons);
    return box;
}

QWidget* CommandFileEditorDialog::buildPreview()
{
    ControlSet& f = m_editor.fields();
    QGroupBox* box = group(f, "Preview", this);
    auto* layout = new QVBoxLayout(box);
    m_preview = new CommandFilePreview(m_editor.CommandFile(), box);
    m_preview->setMinimumHeight(100);
    layout->addWidget(m_preview, 1);
    auto* buttons = new QHBoxLayout;
    for (const char* button : {"SpeedButton2", "Button42", "SaveFile"})
        buttons->addWidget(m_binder->createWidget(f[button], box));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return box;
}

void CommandFileEditorDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // After the dialog is up, so that a message of the opening appears over it.
    QPointer<CommandFileEditorDialog> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self)
            self->m_editor.FormActivate();
    });
}

void CommandFileEditorDialog::fitToScreen()
{
    QSize size = PreferredSize.expandedTo(minimumSizeHint());
    if (QScreen* screen = this->screen()) {
        const QRect free = screen->availableGeometry();
        // Leave room for the window frame and title bar.
        size = size.boundedTo(free.size() - QSize(16, 40));
        resize(size);
        move(free.center() - QPoint(width() / 2, height() / 2 + 12));
        return;
    }
    resize(size);
}

bool CommandFileEditorDialog::run(TCommandFileEd& editor, QWidget* parent)
{
    CommandFileEditorDialog dialog(editor, parent);
    dialog.fitToScreen();
    return dialog.exec() == Accepted && editor.modalResult() == TCommandFileEd::ModalResult::Ok;
}

void installCommandFileEditor(TEmbedded& app, QWidget* parent)
{
    QPointer<QWidget> owner(parent);
    app.commandFileWizard().runEditor = [owner](TCommandFileEd& editor) {
        return CommandFileEditorDialog::run(editor, owner);
    };
}
