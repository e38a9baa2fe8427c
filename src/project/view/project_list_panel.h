#pragma once
// The project list panel at the right edge: the numbered project lines, read only.
#include <QFrame>

class ControlBinder;
class QPlainTextEdit;
class TEmbedded;

class ProjectListPanel : public QFrame {
public:
    static constexpr int Width = 200;

    ProjectListPanel(TEmbedded& app, ControlBinder& binder, QWidget* parent = nullptr);

    QPlainTextEdit* memo() const { return m_memo; }

private:
    QPlainTextEdit* m_memo;
};
