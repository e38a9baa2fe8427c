#pragma once
// The project list panel at the right edge: the numbered project lines, read only. The lines
// are shown through a model over the core's list, so a project of thousands of files costs
// only the rows on screen; Ctrl+C copies the selected rows.
#include <QFrame>
#include <functional>

class ControlBinder;
class QListView;
class TEmbedded;

class ProjectListPanel : public QFrame {
public:
    static constexpr int Width = 200;

    ProjectListPanel(TEmbedded& app, ControlBinder& binder, QWidget* parent = nullptr);

    QListView* memo() const { return m_memo; }
    // The lines as shown, one per line.
    QString text() const;
    // As wide as the longest row, up to a third of the main window; no narrower than Width.
    void fitWidth();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListView* m_memo;
    std::function<int()> m_rowWidth;
};
