#pragma once
// The modal error window over the core's TErrorLog: the list of collected lines, the buttons,
// and a status bar showing the file and line read from the clicked line.
#include <QDialog>

#include "platform/host/dialogs.h"

class QListWidget;
class TErrorLog;

class ErrorLogDialog : public QDialog {
public:
    explicit ErrorLogDialog(TErrorLog& state, QWidget* parent = nullptr);
    // Shows the dialog modally: Ok when "GoTo Error" ended it.
    static MsgAnswer run(TErrorLog& state, QWidget* parent);
    // Makes the platform show this dialog for every TErrorLog.
    static void registerView();

    void reject() override;

private:
    void pressed(const char* button);

    TErrorLog& m_state;
    QListWidget* m_list = nullptr;
};
