#pragma once

#include <string_view>

#include <QString>

class QWidget;

// Saving a file for the user: asking for its name, writing it, telling what
// went wrong. The main window does all three for every window that saves, so
// that they all suggest names alike, start in the folder used last and report
// failures alike.
class FileSaver {
public:
    // A name for the file, the suggestion being the drawn design's name followed
    // by nameEnd; empty when the user cancels. The dialog stands over `over`.
    virtual QString askForFile(QWidget* over, const QString& caption, const QString& nameEnd, const QString& filter) = 0;
    // Writes contents to path, or tells why it could not; `what` names the contents.
    virtual void writeFile(const QString& path, std::string_view contents, const QString& what) = 0;
    // Tells of a failure in the program's own warning box.
    virtual void warn(const QString& text) = 0;

protected:
    ~FileSaver() = default;
};
