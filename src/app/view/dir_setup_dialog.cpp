#include "app/view/dir_setup_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/dir_setup.h"
#include "app/view/control_binder.h"
#include "platform/qt/qt_text.h"

DirSetupDialog::DirSetupDialog(DirSetup& setup, QWidget* parent) : QDialog(parent)
{
    setObjectName("TDirsetup");
    setWindowTitle(DirSetup::Caption);
    setModal(true);
    // Modal to the main window only, so that the help window it opens takes input.
    setWindowModality(Qt::WindowModal);
    // A dialog of fixed size: nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* binder = new ControlBinder(setup.fields(), this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(20, 18, 20, 16);
    outer->setSpacing(12);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* heading = new QLabel(DirSetup::Heading, this);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    outer->addWidget(heading);

    // Labels, fields and browse buttons in three columns, so that every field ends at one edge.
    auto* grid = new QGridLayout;
    grid->setContentsMargins(14, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    int row = 0;
    for (const char* name : {"WorkingDir", "SourceDir", "ProjectFile", "Pelorus", "Nec"}) {
        Control& field = setup.fields()[name];
        QWidget* edit = binder->createWidget(field, this);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(44, 'x')));
        auto* label = new QLabel(toQ(field.label), this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        const std::string n = name;
        if (n == "WorkingDir" || n == "SourceDir" || n == "Nec") {
            auto* browse = new QPushButton("...", this);
            browse->setObjectName(QString("Browse") + name);
            browse->setFixedWidth(browse->fontMetrics().horizontalAdvance("....") + 16);
            browse->setAutoDefault(false);
            connect(browse, &QPushButton::clicked, this, [&setup, n] { setup.browse(n); });
            grid->addWidget(browse, row, 2);
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
    outer->addSpacing(4);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* defaults = buttons->addButton("Defaults", QDialogButtonBox::ResetRole);
    QPushButton* help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QDialogButtonBox::Cancel);
    // Plain captions, as on every other page of the program.
    for (QAbstractButton* b : buttons->buttons())
        b->setIcon(QIcon());
    defaults->setObjectName("Defaults");
    help->setObjectName("Help");
    connect(defaults, &QPushButton::clicked, this, [&setup] { setup.defaults(); });
    connect(help, &QPushButton::clicked, this, [&setup] { setup.help(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);
}

bool DirSetupDialog::run(DirSetup& setup, QWidget* parent)
{
    DirSetupDialog dialog(setup, parent);
    dialog.adjustSize();
    if (QScreen* screen = dialog.screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    return dialog.exec() == QDialog::Accepted;
}
