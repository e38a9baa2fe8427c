#include "support/app_fixture.h"

#include "app/start_up.h"
#include "linker/compose_linker_line.h"
#include "platform/paths/win_path.h"

void AppFixture::prepareInstalledMachine(const std::string& compileDir)
{
    fake.settings.values["comp source"] = compileDir;
    for (const char* name : DefaultCommandFiles)
        fake.files.put(winpath::join(compileDir, std::string(name) + ".xcl"), "-Z(CODE)CODE=1000-7FFF\r\n");
    fake.files.putFolder("C:\\Nec\\C\\include");
}
