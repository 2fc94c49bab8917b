#pragma once

#include <functional>
#include <string_view>

#include <QString>

#include "window/picture_file.h"

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
    // last (the working folder at first); empty when the user cancels.
    QString askForFile(QWidget* over, const QString& caption, const QString& suggestedName, const QString& filter);
    // Writes contents to path, or tells why it could not; `what` names the contents.
    void writeFile(QWidget* over, const QString& path, std::string_view contents, const QString& what);
    // Tells of a failure in the program's own warning box.
    void warn(QWidget* over, const QString& text);

    // "Save picture…": asks for the file, then writes the picture that paint
    // draws at `size` logical pixels (see encodePicture).
    void savePicture(QWidget* over, const QString& suggestedName, QSize size, const QWidget& shownOn,
                     const PicturePainter& paint);

private:
    QStatusBar* status_;
    Chooser choose_;
    QString folder_;  // where the last file went
};
