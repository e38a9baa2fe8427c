#pragma once
// The application's side of help: its help file, its window, its help handler slot and the
// platform's default handling for requests no handler served.
#include "components/help_request.h"

class HelpApplication {
public:
    // The application's help file lives with its owner; help reads it at each request.
    explicit HelpApplication(const std::string& helpFile) : m_helpFile(helpFile) {}

    // Handler slot; a help router installs itself here and keeps the one it found.
    HelpHandler onHelp;
    const std::string& helpFile() const { return m_helpFile; }
    HelpWindowHandle window = 1;
    // The active form, when the platform knows one.
    std::function<std::optional<HelpForm>()> activeForm;
    // Where the mouse pointer is, in screen coordinates.
    std::function<HelpPoint()> pointer;
    // Runs for a request that every handler left with callHelp set.
    std::function<bool(int command, const HelpData& data)> defaultHelp;

    // Asks for help: the handler first, then, when it leaves the request, the default handling.
    bool helpCommand(int command, const HelpData& data);
    bool helpContext(long topic) { return helpCommand(HelpCommand::Context, HelpData::topic(topic)); }

    std::optional<HelpForm> currentForm() const { return activeForm ? activeForm() : std::nullopt; }
    HelpPoint pointerPosition() const { return pointer ? pointer() : HelpPoint{}; }

private:
    const std::string& m_helpFile;
};
