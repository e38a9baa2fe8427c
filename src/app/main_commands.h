#pragma once
// Declares the main window's menus, menu items, tool bar buttons, status-bar context item
// and the hidden frames into a control set, from one table.
class ControlSet;

void declareMainCommands(ControlSet& controls);
