#pragma once
// A folder chooser that accepts a typed folder that does not exist yet: it asks before
// creating it and creates it (with its parents) when the user agrees.
#include <QFileDialog>
#include <functional>

class DriveMap;
class WindowsForm;

class FolderDialog : public QFileDialog
{
    Q_OBJECT
public:
    using Confirm = std::function<bool(const QString& folder)>;

    FolderDialog(QWidget* parent, const QString& title, const QString& startFolder);

    // Replaces the question asked before creating a folder (tests answer it themselves).
    void setConfirm(Confirm confirm) { m_confirm = std::move(confirm); }
    // Folders shown and typed in Windows form, through the map.
    void speakWindowsPaths(const DriveMap& map);

public slots:
    void accept() override;

private:
    bool askCreate(const QString& folder);
    void acceptChoice();
    QString shown(const QString& folder) const;

    Confirm m_confirm;
    WindowsForm* m_windows = nullptr;
};
