#pragma once
// What the Build Output panel's pages share: labels of selectable plain text, and the list of a
// run's lines.
class BuildOutputModel;
class QLabel;
class QListView;
class QWidget;

QLabel* outputLabel(const char* name, QWidget* parent, bool bold = false);
QListView* outputList(const char* name, BuildOutputModel* model, QWidget* parent);
