#include "app/settings.h"

#include <algorithm>
#include <cstdint>

#include "app/control_set.h"
#include "platform/host/settings_store.h"
#include "platform/paths/win_path.h"

namespace {

std::string readString(const SettingsStore& store, const char* name, const std::string& fallback)
{
    return store.read(name).value_or(fallback);
}

int readInt(const SettingsStore& store, const char* name, int fallback)
{
    int v = 0;
    const auto text = store.read(name);
    return text && winpath::parseInt32(*text, v) ? v : fallback;
}

bool readFlag(const SettingsStore& store, const char* name, bool fallback)
{
    return readInt(store, name, fallback ? 1 : 0) != 0;
}

const char* flag(bool on)
{
    return on ? "1" : "0";
}

// Value name and check box of each flag setting.
struct FlagSetting {
    const char* readName;
    const char* writeName;
    const char* control;
    bool fallback;
};

const FlagSetting kPause{"Pause", "Pause", "Pause", false};
const FlagSetting kProgress{"Progress", "Progress", "ShowProgress", true};
const FlagSetting kTarget{"Target", "Target", "Target", true};
const FlagSetting kCloseEds{"Close Eds", "Close Eds", "CloseEds", true};
const FlagSetting kUseEd{"Use Ed", "Use Ed", "UseEd", true};
const FlagSetting kReload{"reload", "Reload", "Reload", false};
const FlagSetting kRedirect{"Redirect", "Redirect", "SendToFile", false};
const FlagSetting kOnend{"Onend", "Onend", "ShowOnEnd", false};
// Values of our own, after the ones above.
const FlagSetting kBuildOutput{"Build Output Panel", "Build Output Panel", "ViewBuildOutput", false};
const FlagSetting kCodeColours{"Code Colours", "Code Colours", "CodeColours", true};
const FlagSetting kMemoryUsage{"Memory Usage Panel", "Memory Usage Panel", "ViewMemoryUsage", false};

void readCheck(const SettingsStore& store, ControlSet& controls, const FlagSetting& f)
{
    controls[f.control].setChecked(readFlag(store, f.readName, f.fallback));
}

void writeCheck(SettingsStore& store, const ControlSet& controls, const FlagSetting& f)
{
    store.write(f.writeName, flag(controls[f.control].checked()));
}

}  // namespace

void Settings::setProject(const std::string& path)
{
    project = path;
    nextStartProject.reset();
}

void Settings::read(const SettingsStore& store, ControlSet& controls)
{
    directory = readString(store, "Directory", "C:\\");
    compSource = readString(store, "Comp Source", "C:\\Tarnel\\Source");
    setProject(readString(store, "Project", ""));
    pelorusDir = readString(store, "Pelorus Dir", "");
    necDir = readString(store, "Nec Dir", "C:\\Nec");
    readCheck(store, controls, kPause);
    readCheck(store, controls, kProgress);
    readCheck(store, controls, kTarget);
    externalEd = readString(store, "External Ed", "c:\\program files\\accessories\\wordpad.exe");
    readCheck(store, controls, kCloseEds);
    readCheck(store, controls, kUseEd);
    // A count may promise entries that are not stored (they read as empty), but never more
    // than the store holds values: a count of millions must not freeze the start-up. Values
    // beyond stay stored; a later write leaves them alone.
    const int limit = static_cast<int>(std::min<std::size_t>(store.valueCount(), INT32_MAX));
    ptCount = std::min(readInt(store, "PTCount", 0), limit);
    utCount = std::min(readInt(store, "UTCount", 0), limit);
    saveDir = readString(store, "Save Dir", "A:");
    programmingTool = readString(store, "Programming Tool", "");
    cFile = readString(store, "C file", "");
    readCheck(store, controls, kReload);
    readCheck(store, controls, kRedirect);
    readCheck(store, controls, kOnend);

    tools = {};
    for (int n = 0; n < ptCount; ++n) {
        const std::string i = std::to_string(n);
        tools.programming.push_back({readString(store, ("PTools" + i).c_str(), ""),
                                     readString(store, ("PTNames" + i).c_str(), "")});
    }
    // The drop-down order, as adding them one by one would give it.
    std::stable_sort(tools.programming.begin(), tools.programming.end(),
                     [](const ProgrammingTool& a, const ProgrammingTool& b) { return sortsBefore(a.name, b.name); });
    for (int n = 0; n < utCount; ++n) {
        const std::string i = std::to_string(n);
        tools.user.push_back({readString(store, ("UTools" + i).c_str(), ""),
                              readString(store, ("UTNames" + i).c_str(), ""),
                              readString(store, ("UTParams" + i).c_str(), "")});
    }
    showToolLists(tools, controls);

    editorSwitch = controls["UseEd"].checked();
    targetSwitch = controls["Target"].checked();

    Control& pelorus = controls["Prgm"];
    Control& list = controls["ProgToolsList"];
    const int found = tools.findProgrammingPath(programmingTool);
    list.setItemIndex(found);
    if (found >= 0) {
        list.setText(list.itemText());
        pelorus.setCaption({}, list.itemText());
    } else {
        pelorus.setCaption("(None)");
        pelorus.setEnabled(false);
    }
    controls["SaveObjectFile"].setCaption("Save Output file to ", saveDir);
    readCheck(store, controls, kBuildOutput);
    readCheck(store, controls, kCodeColours);
    readCheck(store, controls, kMemoryUsage);
    recentProjects.read(store);
    recentProjects.showIn(controls[RecentProjects::MenuItem]);
}

bool Settings::write(SettingsStore& store, const ControlSet& controls) const
{
    store.write("Directory", directory);
    store.write("Comp Source", compSource);
    store.write("Project", storedProject());
    store.write("Pelorus Dir", pelorusDir);
    store.write("Nec Dir", necDir);
    writeCheck(store, controls, kPause);
    store.write("Save Dir", saveDir);
    writeCheck(store, controls, kProgress);
    writeCheck(store, controls, kTarget);
    store.write("External Ed", externalEd);
    writeCheck(store, controls, kUseEd);
    writeCheck(store, controls, kCloseEds);
    store.write("PTCount", std::to_string(tools.programming.size()));
    store.write("UTCount", std::to_string(tools.user.size()));
    store.write("Programming Tool", programmingTool);
    store.write("C file", cFile);
    writeCheck(store, controls, kReload);
    writeCheck(store, controls, kRedirect);
    writeCheck(store, controls, kOnend);
    for (std::size_t n = 0; n < tools.programming.size(); ++n) {
        const std::string i = std::to_string(n);
        store.write("PTools" + i, tools.programming[n].name);
        store.write("PTNames" + i, tools.programming[n].path);
    }
    for (std::size_t n = 0; n < tools.user.size(); ++n) {
        const std::string i = std::to_string(n);
        store.write("UTools" + i, tools.user[n].name);
        store.write("UTNames" + i, tools.user[n].path);
        store.write("UTParams" + i, tools.user[n].params);
    }
    writeCheck(store, controls, kBuildOutput);
    writeCheck(store, controls, kCodeColours);
    writeCheck(store, controls, kMemoryUsage);
    recentProjects.write(store);
    return store.flush();
}
