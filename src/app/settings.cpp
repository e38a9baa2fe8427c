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

    std::vector<std::string> progTools;
    std::vector<std::string> userTools;
    tools = {};
    for (int n = 0; n < ptCount; ++n) {
        const std::string i = std::to_string(n);
        progTools.push_back(readString(store, ("PTools" + i).c_str(), ""));
        tools.progPaths.push_back(readString(store, ("PTNames" + i).c_str(), ""));
    }
    for (int n = 0; n < utCount; ++n) {
        const std::string i = std::to_string(n);
        userTools.push_back(readString(store, ("UTools" + i).c_str(), ""));
        tools.userPaths.push_back(readString(store, ("UTNames" + i).c_str(), ""));
        tools.userParams.push_back(readString(store, ("UTParams" + i).c_str(), ""));
    }
    controls["ProgToolsList"].setEntries(progTools);
    controls["UserToolsList"].setEntries(userTools);

    editorSwitch = controls["UseEd"].checked();
    targetSwitch = controls["Target"].checked();

    Control& pelorus = controls["Prgm"];
    int found = -1;
    for (std::size_t n = 0; n < tools.progPaths.size(); ++n)
        if (tools.progPaths[n] == programmingTool) {
            found = static_cast<int>(n);
            break;
        }
    if (found >= 0 && found < static_cast<int>(progTools.size())) {
        controls["ProgToolsList"].setSelected(found);
        pelorus.setCaption(progTools[static_cast<std::size_t>(found)]);
    } else {
        pelorus.setCaption("(None)");
        pelorus.setEnabled(false);
    }
    controls["SaveOutputFile"].setCaption("Save Output file to " + saveDir);
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
    const auto& progTools = controls["ProgToolsList"].entries();
    const auto& userTools = controls["UserToolsList"].entries();
    store.write("PTCount", std::to_string(progTools.size()));
    store.write("UTCount", std::to_string(userTools.size()));
    store.write("Programming Tool", programmingTool);
    store.write("C file", cFile);
    writeCheck(store, controls, kReload);
    writeCheck(store, controls, kRedirect);
    writeCheck(store, controls, kOnend);
    for (std::size_t n = 0; n < progTools.size(); ++n) {
        const std::string i = std::to_string(n);
        store.write("PTools" + i, progTools[n]);
        store.write("PTNames" + i, n < tools.progPaths.size() ? tools.progPaths[n] : "");
    }
    for (std::size_t n = 0; n < userTools.size(); ++n) {
        const std::string i = std::to_string(n);
        store.write("UTools" + i, userTools[n]);
        store.write("UTNames" + i, n < tools.userPaths.size() ? tools.userPaths[n] : "");
        if (!tools.userParams.empty())
            store.write("UTParams" + i, n < tools.userParams.size() ? tools.userParams[n] : "");
    }
    return store.flush();
}
