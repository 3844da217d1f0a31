#pragma once

#include <QStringList>
#include <string>

class QWidget;

// Every text a user can read in the widgets of root and its descendants (hidden pages and
// menus too), one entry per text: "<window class>\t<kind>\t<text>", line breaks as "\n".
QStringList WidgetTexts(const QWidget& root);

// Opens every window, page, dialog and menu of the program with the sample "tower" loaded and
// compared with itself (the dialogs a command opens modally are read and closed as they come
// up; message boxes are answered through the seam and read) and returns every text read,
// sorted, each once. The samples' folder is written as "<samples>/". guideIndex: the user
// guide's first page the help window opens.
QStringList AllUiTexts(const std::string& guideIndex);

// The texts that are data, not the program's: the samples' header fields, folder and file
// names; a text may hold them among the program's own words.
QStringList SampleDataTexts();
