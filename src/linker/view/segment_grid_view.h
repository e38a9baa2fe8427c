#pragma once
// The segment grid: the core's heading row is the table's header, its segment rows and the
// entry row are the table's rows. In-place edits go to the editor, which may put a cell back.
#include <QTableWidget>

class TCommandFileEd;

class SegmentGridView : public QTableWidget {
public:
    SegmentGridView(TCommandFileEd& editor, QWidget* parent = nullptr);
    ~SegmentGridView() override;

    // Shows the core grid as it is now.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TCommandFileEd& m_editor;
    bool m_refreshing = false;
};
