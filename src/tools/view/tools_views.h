#pragma once
// Puts the tools subsystem's views into the main window: the "Tools" page, the user tool
// items of the "Tools" menu, the "Program" menu's opening, and the "Name Tool" dialog.
class MainWindow;
class TEmbedded;

void installToolsViews(TEmbedded& app, MainWindow& window);
