#include "editor/view/editor_printing.h"

#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

#include "platform/qt/qt_dialogs.h"

namespace editorprint {

namespace {

DialogRunner& runner()
{
    static DialogRunner r;
    return r;
}

bool runPrintDialog(QPrinter& p, QWidget* parent)
{
    if (QtDialogs::nonInteractive())
        return false;
    QPrintDialog dialog(&p, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

QPrinter& printer()
{
    // Lives as long as the process: a printer torn down after the application object is gone
    // would talk to a print system that has already shut down.
    static QPrinter* shared = new QPrinter(QPrinter::HighResolution);
    return *shared;
}

void setDialogRunner(DialogRunner r)
{
    runner() = std::move(r);
}

bool print(QPlainTextEdit& editor, const QString& jobTitle, QWidget* parent)
{
    QPrinter& p = printer();
    // The dialog names a PDF file after the document: the bare name makes a usable file name,
    // the job itself is titled with the full one.
    p.setDocName(QFileInfo(QString(jobTitle).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName());
    const bool confirmed = runner() ? runner()(p, parent) : runPrintDialog(p, parent);
    if (!confirmed)
        return false;
    p.setDocName(jobTitle);
    // The text at the size it has on the screen: a size in pixels would be printer pixels.
    std::unique_ptr<QTextDocument> doc(editor.document()->clone());
    QFont font = editor.font();
    if (font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize() * 72.0 / editor.logicalDpiY());
    doc->setDefaultFont(font);
    doc->print(&p);
    return true;
}

void setup(QWidget* parent)
{
    if (QtDialogs::nonInteractive())
        return;
    QPageSetupDialog dialog(&printer(), parent);
    dialog.exec();
}

}  // namespace editorprint
