#pragma once
// The tools pages and their program-options page: the program's own switches.
class TEmbedded;

class ProgramOptions {
public:
    // Our own switch: the code editor's colours, line-number gutter and current-line mark.
    static constexpr const char* CodeColours = "CodeColours";

    explicit ProgramOptions(TEmbedded& app);

    void TarnelOptionsClick();
    void BrowseedClick();
    // Start-up preparation: the editor-name field shows the external editor.
    void prepare();

private:
    void UseEdClick();
    TEmbedded& m_app;
};
