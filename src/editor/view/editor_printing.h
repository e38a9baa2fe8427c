#pragma once
// Printing an editor's text through the platform's print dialog, and the printer setup
// dialog; one printer shared by every editor window, so the setup holds for all of them.
#include <QString>
#include <functional>

class QPlainTextEdit;
class QPrinter;
class QWidget;

namespace editorprint {

QPrinter& printer();
// The print dialog step; tests put a runner in its place that picks a PDF file.
using DialogRunner = std::function<bool(QPrinter&, QWidget*)>;
void setDialogRunner(DialogRunner runner);

// One job titled jobTitle; false when the dialog was cancelled.
bool print(QPlainTextEdit& editor, const QString& jobTitle, QWidget* parent);
void setup(QWidget* parent);

}  // namespace editorprint
