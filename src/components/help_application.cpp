#include "components/help_application.h"

bool HelpApplication::helpCommand(int command, const HelpData& data)
{
    bool callHelp = true;
    bool result = false;
    if (onHelp)
        result = onHelp(command, data, callHelp);
    if (callHelp && defaultHelp)
        result = defaultHelp(command, data);
    return result;
}
