#pragma once
// The object file and library lists of the linker pages, and the choice of a command file.
class TEmbedded;

class LinkerLists {
public:
    explicit LinkerLists(TEmbedded& app);

    // Object files keep their full path.
    void Button22Click();
    void Button25Click();
    void CLRLSTClick();
    // Libraries keep their name only, once.
    void LibAddClick();
    void Button35Click();
    void Button36Click();
    void BitBtn1Click();

private:
    TEmbedded& m_app;
};
