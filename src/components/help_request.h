#pragma once
// What travels with a help request: the command number, its data, and the windows and files
// the request may be served for.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Help command numbers as the help viewers know them.
namespace HelpCommand {
constexpr int Context = 1;
constexpr int Quit = 2;
constexpr int Contents = 3;
constexpr int ContextPopup = 8;
constexpr int Finder = 11;
constexpr int SetPopupPos = 13;
constexpr int Tab = 15;
constexpr int Key = 257;
constexpr int PartialKey = 261;
}  // namespace HelpCommand

struct HelpPoint {
    int x = 0;
    int y = 0;
    bool operator==(const HelpPoint&) const = default;
};

// The data of a request: a number (topic, tab), a text (keyword, pop-up text) or a point
// (pop-up position), as the command needs.
struct HelpData {
    long number = 0;
    std::string text;
    HelpPoint point;

    static HelpData topic(long n) { return {n, {}, {}}; }
    static HelpData keyword(std::string k) { return {0, std::move(k), {}}; }
    static HelpData at(int x, int y) { return {0, {}, {x, y}}; }
};

// A window that help can be shown for; 0 is none.
using HelpWindowHandle = std::intptr_t;

// A form as help sees it: its window and its own help file (empty: none).
struct HelpForm {
    HelpWindowHandle window = 0;
    std::string helpFile;
};

// A help handler: takes the request, may clear callHelp to say it was served, returns the result.
using HelpHandler = std::function<bool(int command, const HelpData& data, bool& callHelp)>;
