#include "build/changed_build.h"

#include <set>

#include "build/include_scan.h"
#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace {

constexpr const char* Heading = "Tarnel build record 1";

std::string priorText(const std::optional<std::int64_t>& t)
{
    return t ? std::to_string(*t) : "-";
}

std::optional<std::int64_t> priorOf(const std::string& text)
{
    long long v = 0;
    if (text != "-" && winpath::parseInt(text, v))
        return v;
    return std::nullopt;
}

// "prior<TAB>line" as written by made().
std::optional<BuildRecord::Made> parseMade(const std::string& rest)
{
    const std::size_t tab = rest.find('\t');
    if (tab == std::string::npos)
        return std::nullopt;
    return BuildRecord::Made{rest.substr(tab + 1), priorOf(rest.substr(0, tab))};
}

std::string made(const BuildRecord::Made& m)
{
    return priorText(m.prior) + "\t" + m.line;
}

std::string bare(const std::string& path)
{
    return winpath::fileName(path);
}

}  // namespace

BuildRecord BuildRecord::read(const Files& files, const std::string& compileDir)
{
    BuildRecord r;
    const auto lines = files.readLines(winpath::join(compileDir, FileName));
    if (!lines || lines->empty() || lines->front() != Heading)
        return r;
    for (std::size_t i = 1; i < lines->size(); ++i) {
        const std::string& line = (*lines)[i];
        if (line.starts_with("FILE\t")) {
            r.fileList.push_back(line.substr(5));
        } else if (line.starts_with("OBJ\t")) {
            const std::string rest = line.substr(4);
            const std::size_t tab = rest.find('\t');
            if (tab == std::string::npos)
                continue;
            if (auto m = parseMade(rest.substr(tab + 1)))
                r.objects[winpath::lower(rest.substr(0, tab))] = *m;
        } else if (line.starts_with("LINK\t")) {
            r.link = parseMade(line.substr(5));
        }
    }
    return r;
}

bool BuildRecord::write(Files& files, const std::string& compileDir) const
{
    std::vector<std::string> lines{Heading};
    for (const std::string& f : fileList)
        lines.push_back("FILE\t" + f);
    for (const auto& [name, m] : objects)
        lines.push_back("OBJ\t" + name + "\t" + made(m));
    if (link)
        lines.push_back("LINK\t" + made(*link));
    return files.writeLines(winpath::join(compileDir, FileName), lines);
}

std::string objectName(const std::string& entry)
{
    return winpath::dropLast(winpath::fileName(entry), 2) + ".R25";
}

ChangedPlan decideChanged(const Files& files, const ChangedInputs& in, const BuildRecord& record)
{
    ChangedPlan plan;
    const std::string compileDir = winpath::lower(winpath::withBackslash(in.compileDir));
    auto timeOf = [&](const std::string& path) -> std::optional<std::int64_t> {
        if (winpath::lower(winpath::dirPart(path)) == compileDir)
            for (const std::string& dir : in.originals)
                if (const auto t = files.modifiedMs(winpath::join(dir, winpath::fileName(path))))
                    return t;
        return files.modifiedMs(path);
    };
    const bool listChanged = record.fileList != in.entries;

    std::vector<std::string> quoted;
    std::set<std::string> folders;
    for (const std::string& e : in.entries) {
        const std::string dir = winpath::dirPart(e);
        if (!dir.empty() && folders.insert(winpath::lower(dir)).second)
            quoted.push_back(dir);
    }
    quoted.push_back(in.compileDir);
    IncludeScan includes(files, quoted, {in.necInclude}, timeOf);

    // Objects as they are after this build: none of a compiled source counts as older.
    std::optional<std::int64_t> newestObject;
    std::string newestObjectName;
    plan.chosen.assign(in.compiles.size(), false);
    for (std::size_t i = 0; i < in.compiles.size(); ++i) {
        const ChangedInputs::Compile& c = in.compiles[i];
        const std::string name = objectName(c.entry);
        const std::string object = winpath::join(in.compileDir, name);
        const auto objectTime = files.modifiedMs(object);
        const auto sourceTime = files.modifiedMs(c.entry);
        const auto rec = record.objects.find(winpath::lower(name));
        const IncludeScan::Reach reach = includes.scan(c.entry);
        for (const IncludeScan::Missing& m : reach.missing)
            plan.missingIncludes.emplace_back(bare(c.entry), m.name);

        std::string why;
        if (listChanged)
            why = "the project's file list changed since the last build";
        else if (rec == record.objects.end())
            why = "no record of how " + name + " was built";
        else if (rec->second.line != c.line)
            why = "its compiler options changed";
        else if (!objectTime || !files.isOrdinaryFile(object))
            why = name + " is missing";
        else if (rec->second.prior && *rec->second.prior == *objectTime)
            why = "its last compile did not write " + name;
        else if (!sourceTime || *sourceTime > *objectTime)
            why = bare(c.entry) + " is newer than " + name;
        else if (!reach.missing.empty())
            why = "the include " + reach.missing.front().name + " cannot be found";
        else if (reach.newest && *reach.newest > *objectTime)
            why = bare(reach.newestHeader) + " is newer than " + name;

        if (!why.empty()) {
            plan.chosen[i] = true;
            plan.compile.push_back({c.entry, why});
        } else if (!newestObject || *objectTime > *newestObject) {
            newestObject = objectTime;
            newestObjectName = name;
        }
    }

    if (!in.link.empty()) {
        const auto targetTime = files.modifiedMs(in.target);
        std::string why;
        if (!plan.compile.empty())
            why = plan.compile.size() == 1 ? "an object was compiled" : "objects were compiled";
        else if (!record.link)
            why = "no record of how the target was linked";
        else if (record.link->line != in.link)
            why = "the linker options changed";
        else if (!targetTime)
            why = bare(in.target) + " is missing";
        else if (record.link->prior && *record.link->prior == *targetTime)
            why = "the last link did not write " + bare(in.target);
        else if (newestObject && *newestObject > *targetTime)
            why = newestObjectName + " is newer than " + bare(in.target);
        for (std::size_t i = 0; why.empty() && i < in.linkInputs.size(); ++i) {
            const auto t = timeOf(in.linkInputs[i]);
            if (t && *t > *targetTime)
                why = bare(in.linkInputs[i]) + " is newer than " + bare(in.target);
        }
        plan.link = !why.empty();
        plan.linkReason = why;
    }

    for (const std::string& e : in.entries) {
        if (winpath::dirPart(e).empty())
            continue;
        const auto copyTime = files.modifiedMs(winpath::join(in.compileDir, bare(e)));
        const auto entryTime = files.modifiedMs(e);
        if (!copyTime || (entryTime && *entryTime > *copyTime))
            plan.copies.push_back(e);
    }
    return plan;
}

BuildRecord recordFor(const Files& files, const ChangedInputs& in, const std::vector<bool>& chosen, bool linking,
                      BuildRecord before)
{
    BuildRecord r = std::move(before);
    r.fileList = in.entries;
    for (std::size_t i = 0; i < in.compiles.size(); ++i) {
        if (!chosen[i])
            continue;
        const std::string name = objectName(in.compiles[i].entry);
        r.objects[winpath::lower(name)] = {in.compiles[i].line,
                                           files.modifiedMs(winpath::join(in.compileDir, name))};
    }
    if (linking)
        r.link = BuildRecord::Made{in.link, files.modifiedMs(in.target)};
    return r;
}
