#pragma once
// SIGTERM, SIGINT and the end of the desktop session close the main window through the normal
// shutdown, without asking anything: messages go to standard error and the process exits 0.
class QApplication;
class MainWindow;
class TEmbedded;

// Long work in the core asks TEmbedded::closing() as it goes; a signal pending then begins the
// shutdown at once, also where no event loop runs.
void installSessionEndHandling(QApplication& app, MainWindow& window, TEmbedded& core);
