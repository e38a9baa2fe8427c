#include "project/project_file.h"

#include "app/tembedded.h"

// Placeholder until the project file reader and writer land.
ProjectFile::ProjectFile(TEmbedded& app) : m_app(app) {}
void ProjectFile::ComposeProject() {}
bool ProjectFile::ReadOptions(int&, int&, int&) { return false; }
bool ProjectFile::readproject(const std::string&) { return false; }
bool ProjectFile::load(const std::string&) { return false; }
bool ProjectFile::write(const std::string&) { return false; }
void ProjectFile::ClearCompileCopies() {}
