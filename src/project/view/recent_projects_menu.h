#pragma once
// The "Recent Projects" submenu of the "Project" menu, mirrored from its core item's entries.
class MainWindow;
class TEmbedded;

void installRecentProjectsMenu(TEmbedded& app, MainWindow& window);
