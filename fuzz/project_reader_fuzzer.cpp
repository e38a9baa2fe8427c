// Feeds arbitrary bytes to the project reader as a project file: whatever the file holds,
// loading it must neither crash nor corrupt memory.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/tembedded.h"
#include "platform/fake/fake_host.h"
#include "project/project_file.h"

namespace {

const char* const Path = "C:\\Projects\\fuzz.prj";

struct World {
    FakeHost fake;
    TEmbedded app{fake.host};
    World() { fake.files.putFolder("C:\\Tarnel\\Source"); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A fresh window per input, so that every finding replays on its own.
    World world;
    world.fake.files.put(Path, std::string(reinterpret_cast<const char*>(data), size));
    ProjectFile& project = world.app.project();
    if (project.load(Path)) {
        project.ComposeProject();
        project.write(Path);
    }
    return 0;
}
