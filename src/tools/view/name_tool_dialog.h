#pragma once
// The modal "Name Tool" dialog over the core's TNTDlg state; its buttons run the dialog's
// handlers and the dialog ends when they set a result.
#include <QDialog>

#include "platform/host/dialogs.h"

class TNTDlg;

class NameToolDialog : public QDialog
{
public:
    NameToolDialog(TNTDlg& state, QWidget* parent = nullptr);
    // Shows the dialog modally: Ok when its confirming button ended it.
    static MsgAnswer run(TNTDlg& state, QWidget* parent);
    // Makes the platform show this dialog for every TNTDlg.
    static void registerView();

    void reject() override;

private:
    void pressed(const char* button);

    TNTDlg& m_state;
};
