#pragma once
// SIGTERM, SIGINT and the end of the desktop session close the main window through the normal
// shutdown, without asking anything: messages go to standard error and the process exits 0.
class QApplication;
class MainWindow;

void installSessionEndHandling(QApplication& app, MainWindow& window);
