#pragma once
// The modal setup dialog over the core's DirSetup state.
#include <QDialog>

class DirSetup;

class DirSetupDialog : public QDialog {
public:
    explicit DirSetupDialog(DirSetup& setup, QWidget* parent = nullptr);
    // Shows the dialog modally, centred on the screen; true when OK was pressed.
    static bool run(DirSetup& setup, QWidget* parent);
};
