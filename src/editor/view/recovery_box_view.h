#pragma once
// The box that offers the recovery copies found at start-up.
#include <QDialog>

#include "platform/host/dialogs.h"

class RecoveryBox;

class RecoveryBoxView : public QDialog {
public:
    RecoveryBoxView(RecoveryBox& state, QWidget* parent = nullptr);
    // Makes the platform show this box for every RecoveryBox.
    static void registerView();

private:
    RecoveryBox& m_state;
};
