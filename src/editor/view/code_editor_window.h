#pragma once
// One code editor window's view: the editing control above its six status panels, its menus
// (merged into the main menu bar while it is active), its find, replace and font dialogs.
#include <QWidget>
#include <map>
#include <string>

#include "editor/editor_platform.h"

class CodeEditorWidget;
class Control;
class ControlBinder;
class QLabel;
class QMenu;
class QtTextBuffer;
class SearchDialogView;
class TCodeEd;
class TEmbedded;
enum class EditorChange;

class CodeEditorWindow : public QWidget, public EditorPlatform {
public:
    CodeEditorWindow(TEmbedded& app, TCodeEd& ed, QWidget* parent = nullptr);
    ~CodeEditorWindow() override;

    // The core window is gone: nothing of it may be touched from here on.
    void detach();
    TCodeEd* core() const { return m_ed; }
    CodeEditorWidget* editor() const { return m_editor; }
    QtTextBuffer* buffer() const { return m_buffer; }
    QMenu* menu(const std::string& name) const;
    QLabel* panel(int number) const { return m_panels[number - 1]; }
    SearchDialogView* findView() const { return m_findView; }
    SearchDialogView* replaceView() const { return m_replaceView; }

    std::optional<EditorFont> chooseFont(const FontDialog& dialog) override;
    bool print(const std::string& jobTitle) override;
    void printSetup() override;
    ScreenRect editorRect() const override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void changed(EditorChange change);
    void applyFont();
    // Colours, line numbers and the current line, by the program option and the file's kind.
    void decorate();

    TCodeEd* m_ed;
    CodeEditorWidget* m_editor;
    QtTextBuffer* m_buffer;
    ControlBinder* m_binder;
    ControlBinder* m_optionBinder;
    const Control* m_colours;
    QLabel* m_panels[6] = {};
    std::map<std::string, QMenu*> m_menus;
    SearchDialogView* m_findView = nullptr;
    SearchDialogView* m_replaceView = nullptr;
};
