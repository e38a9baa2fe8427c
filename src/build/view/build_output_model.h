#pragma once
// The build output's lines as rows of a list: it announces the rows the core let go from the
// top and the rows it added, so a view keeps its place and selection while a build runs.
#include <QAbstractListModel>
#include <optional>

class BuildOutput;
class QAbstractItemView;
class BuildTranscript;

class BuildOutputModel : public QAbstractListModel {
public:
    explicit BuildOutputModel(const BuildOutput& output, QObject* parent = nullptr);
    // The lines of another run the panel shows (a tool's).
    explicit BuildOutputModel(const BuildTranscript& transcript, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The core's lines changed: rows follow.
    void sync();
    // The same, keeping the view at the end while the user is there, and leaving a place they
    // scrolled to alone.
    void syncKeepingEnd(QAbstractItemView& view);
    // A new build: all rows go.
    void reset();
    // Edits moved the lines the diagnostics name: the notes beside them follow.
    void notesChanged();

    std::size_t numberOf(int row) const { return m_first + static_cast<std::size_t>(row); }
    std::optional<int> rowOf(std::size_t number) const;

    // How a line of bytes is shown: tabs as blanks, control characters as their symbols, a
    // cut line with an ellipsis.
    static QString displayText(const std::string& bytes, bool cut);

private:
    const BuildTranscript& m_transcript;
    const BuildOutput* m_output = nullptr;  // a build's, whose diagnostics carry notes of their marks
    std::size_t m_first = 0;  // line numbers the rows stand for: [m_first, m_end)
    std::size_t m_end = 0;
};
