#pragma once
// One page of the Build Output panel for the latest run of a tool (the assembler, the
// programming tool, a user tool): its command and end above the lines it printed. It shows the
// core's state and hands clicks and Enter on a line back to it.
#include <QWidget>
#include <memory>

#include "build/followed_run.h"

class BuildFollower;
class BuildOutputModel;
class QLabel;
class QListView;
class ToolRuns;

class ToolRunPage : public QWidget
{
public:
    ToolRunPage(ToolRuns& runs, RunKind kind, QWidget* parent = nullptr);
    ~ToolRunPage() override;

    // The page's follower; it stops with the page.
    void setFollower(std::unique_ptr<BuildFollower> follower);

    RunKind kind() const { return m_kind; }
    QListView* list() const { return m_list; }
    BuildOutputModel* model() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void changed(int change);
    void refreshTexts();

    ToolRuns& m_runs;
    RunKind m_kind;
    std::unique_ptr<BuildFollower> m_follower;
    BuildOutputModel* m_model;
    QLabel* m_heading;
    QLabel* m_summary;
    QLabel* m_message;
    QListView* m_list;
    int m_subscription = 0;
};
