#pragma once
// The find and replace dialogs of an editor window: modeless, like the platform's own, their
// fields and buttons bound to the window's dialog state and handlers.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class SearchDialog;
class TCodeEd;

class SearchDialogView : public QDialog {
public:
    // replace: the replace dialog, else the find dialog.
    SearchDialogView(TCodeEd& ed, bool replace, QWidget* parent);

    // Shows or hides the dialog as its state says.
    void mirror();
    QLineEdit* findField() const { return m_find; }
    QLineEdit* replaceField() const { return m_replace; }
    QPushButton* findNextButton() const { return m_findNext; }
    QPushButton* replaceButton() const { return m_replaceOne; }
    QPushButton* replaceAllButton() const { return m_replaceAll; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    SearchDialog& state() const;

    TCodeEd& m_ed;
    bool m_isReplace;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_replaceOne = nullptr;
    QPushButton* m_replaceAll = nullptr;
};
