#pragma once

#include <functional>
#include <string_view>

#include <QString>

#include "window/picture_formats.h"

class QStatusBar;
class QWidget;

// A file name as the windows' messages show it: folix::shownFileName's
// quoting of control characters.
QString shownFileName(const QString& name);

// Saving a file for the user: asking for its name, writing it, telling what
// went wrong. One service for every window that saves, so that they all start
// in the folder used last, report failures alike and tell the main window's
// status bar where each file went.
class FileService {
public:
    // Asks for the name of a file to write, an empty name for none: the file
    // dialog unless a test puts in its own.
    using Chooser =
        std::function<QString(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter)>;

    explicit FileService(QStatusBar* status = nullptr);

    void setChooser(Chooser chooser) { choose_ = std::move(chooser); }

    // A name for the file, the suggestion `suggestedName` in the folder used
    // last (the working folder at first); empty when the user cancels. A name
    // typed without an extension gets the first of the filter's ("x" becomes
    // "x.dat"); should that name be taken already, the user is asked first.
    QString askForFile(QWidget* over, const QString& caption, const QString& suggestedName, const QString& filter);
    // Writes contents to path, or tells why it could not; `what` names the
    // contents. The status bar then says where it went, after `savedWhat`
    // when given ("Saved <savedWhat> to <path>").
    bool writeFile(QWidget* over, const QString& path, std::string_view contents, const QString& what,
                   const QString& savedWhat = {});
    // Tells of a failure in the program's own warning box.
    void warn(QWidget* over, const QString& text);
    // Asks a yes-or-no question; no unless the user says yes.
    bool confirm(QWidget* over, const QString& question, const QString& yes);
    // Says something in the main window's status bar.
    void tell(const QString& text);

    // "Save picture…": asks for the file, then writes the picture that paint
    // draws at `size` logical pixels, in the format the name's ending tells
    // (PNG, JPEG, SVG, PDF; PNG for a name without one, and for any other
    // ending once the user agrees to ".png" being added). The description
    // goes into the picture's metadata.
    void savePicture(QWidget* over, const QString& suggestedName, QSize size, const QWidget& shownOn,
                     const QString& description, const PicturePainter& paint);

private:
    QStatusBar* status_;
    Chooser choose_;
    QString folder_;  // where the last file went
};
