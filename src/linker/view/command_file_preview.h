#pragma once
// The command file preview: a list model over the editor's lines, so that a file of many
// thousand lines (or of binary bytes) shows at once and only the visible lines are drawn.
#include <QAbstractListModel>
#include <QListView>
#include <string>
#include <vector>

class CommandFilePreviewModel : public QAbstractListModel {
public:
    // A line is shown up to this many characters; the file keeps it whole.
    static constexpr int ShownCharacters = 2000;

    CommandFilePreviewModel(const std::vector<std::string>& lines, QObject* parent = nullptr);

    // The lines were replaced.
    void reload();
    void setCharacterSize(QSize size) { m_characterSize = size; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Control characters as their visible pictures, overlong lines cut.
    static QString shownText(const std::string& line);

private:
    const std::vector<std::string>& m_lines;
    int m_longest = 0;
    QSize m_characterSize{8, 16};
};

class CommandFilePreview : public QListView {
public:
    CommandFilePreview(const std::vector<std::string>& lines, QWidget* parent = nullptr);
    void reload();
    CommandFilePreviewModel* previewModel() const { return m_model; }

private:
    CommandFilePreviewModel* m_model;
};
