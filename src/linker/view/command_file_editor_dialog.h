#pragma once
// The modal command file editor over the core's TCommandFileEd: segments on the left, the
// segment lines in the middle, processor, print formats, libraries and the preview on the right.
#include <QDialog>

class CommandFilePreview;
class ControlBinder;
class SegmentGridView;
class TCommandFileEd;
class TEmbedded;

class CommandFileEditorDialog : public QDialog {
public:
    explicit CommandFileEditorDialog(TCommandFileEd& editor, QWidget* parent = nullptr);
    ~CommandFileEditorDialog() override;

    // Shows the dialog modally, sized to fit the screen; true when it closed with OK.
    static bool run(TCommandFileEd& editor, QWidget* parent);

    // Sized for the screen it opens on, never larger than its free area.
    void fitToScreen();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildSegments();
    QWidget* buildSegmentLines();
    QWidget* buildTarget();
    QWidget* buildLibraries();
    QWidget* buildPreview();

    TCommandFileEd& m_editor;
    ControlBinder* m_binder;
    SegmentGridView* m_grid = nullptr;
    CommandFilePreview* m_preview = nullptr;
    bool m_shown = false;
};

// Lets the wizard show its editor with this dialog.
void installCommandFileEditor(TEmbedded& app, QWidget* parent);
