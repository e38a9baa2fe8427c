#pragma once
// "&New" of the "Linker Cmd File" menu: an empty document under a chosen .xcl name, in a new
// editor window or in the external editor. Nothing is read or written until the user saves.
class TEmbedded;

class NewCommandFile {
public:
    explicit NewCommandFile(TEmbedded& app);

    void New1Click();

private:
    TEmbedded& m_app;
};
