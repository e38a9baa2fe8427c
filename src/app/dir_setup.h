#pragma once
// The setup dialog's fields and buttons as state; the view shows it modally.
#include "app/control_set.h"

class TEmbedded;

class DirSetup {
public:
    explicit DirSetup(TEmbedded& app);

    ControlSet& fields() { return m_fields; }
    // Folder browse for WorkingDir, SourceDir or Nec.
    void browse(const std::string& field);
    void defaults();
    void help();
    // Copies the fields back and writes the settings.
    void ok();

    static const char* const Caption;
    static const char* const Heading;

private:
    TEmbedded& m_app;
    ControlSet m_fields;
};
