#include "app/view/dir_setup_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
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
    auto* binder = new ControlBinder(setup.fields(), this);
    auto* outer = new QVBoxLayout(this);
    auto* heading = new QLabel(DirSetup::Heading, this);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    outer->addWidget(heading);

    auto* form = new QFormLayout;
    for (const char* name : {"WorkingDir", "SourceDir", "ProjectFile", "Pelorus", "Nec"}) {
        Control& field = setup.fields()[name];
        auto* row = new QHBoxLayout;
        QWidget* edit = binder->createWidget(field, this);
        edit->setMinimumWidth(320);
        row->addWidget(edit, 1);
        const std::string n = name;
        if (n == "WorkingDir" || n == "SourceDir" || n == "Nec") {
            auto* browse = new QPushButton("...", this);
            browse->setObjectName(QString("Browse") + name);
            browse->setMaximumWidth(32);
            connect(browse, &QPushButton::clicked, this, [&setup, n] { setup.browse(n); });
            row->addWidget(browse);
        }
        form->addRow(toQ(field.label), row);
    }
    outer->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* defaults = buttons->addButton("Defaults", QDialogButtonBox::ResetRole);
    QPushButton* help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QDialogButtonBox::Cancel);
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
