#pragma once
// Declares an editor window's menus and items into its control set, from one table. The
// menus' group numbers decide where they merge into the main window's menu bar.
class ControlSet;

void declareEditorCommands(ControlSet& controls);
