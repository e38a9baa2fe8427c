#pragma once
// "Check a File for Errors": picks a listing, collects its error and warning lines, shows them
// in the error window, and opens the project's source at the line the user picked.
#include <string>
#include <vector>

#include "build/terror_log.h"

class TEmbedded;

// First position at or after from where the marker stands, letters matched without regard to
// case; npos when it does not.
std::size_t findMarker(const std::string& text, std::size_t from, const std::string& marker);
// The first entry of the project's file list (in list order) that holds the file name, letter
// case counting; an empty name matches none.
const std::string* projectEntryFor(const std::vector<std::string>& entries, const std::string& file);

class ErrorCheck {
public:
    static constexpr int Rounds = 50;
    // A collected line longer than this is cut: a binary "line" of megabytes would otherwise be
    // copied once per hit. The window reads only the first few characters of a line.
    static constexpr std::size_t MaxLineLength = 4096;

    explicit ErrorCheck(TEmbedded& app);

    void ErrorcheckBtnClick();
    // Adds the line of each of up to 50 hits of the marker (case ignored) to lines; true when
    // there was at least one.
    bool CollectMarkedLines(std::vector<std::string>& lines, const std::string& marker) const;

    // The text the last check loaded; kept between checks.
    const std::string& Listholder() const { return m_listholder; }
    void setListholder(std::string text) { m_listholder = std::move(text); }
    ErrorPosition& position() { return m_position; }

private:
    void goToError();

    TEmbedded& m_app;
    std::string m_listholder;
    ErrorPosition m_position;
};
