#include "file_service.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

#include "results/file_output.h"
#include "results/shown_file_name.h"
#include "window/window_texts.h"

QString shownFileName(const QString& name)
{
    return QString::fromStdString(folix::shownFileName(name.toStdString()));
}

FileService::FileService(QStatusBar* status)
    : status_(status),
      choose_([](QWidget* parent, const QString& caption, const QString& suggested, const QString& filter) {
          return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
      })
{
}

QString FileService::askForFile(QWidget* over, const QString& caption, const QString& suggestedName,
                                const QString& filter)
{
    const QDir folder(folder_.isEmpty() ? QDir::currentPath() : folder_);
    QString path = choose_(over, caption, folder.filePath(suggestedName), filter);
    if (!path.isEmpty()) folder_ = QFileInfo(path).absolutePath();
    return path;
}

void FileService::writeFile(QWidget* over, const QString& path, std::string_view contents, const QString& what)
{
    const folix::FileWrite write = folix::writeTextFile(std::filesystem::path(path.toStdU16String()), contents);
    if (!write.written) {
        warn(over, QString("The %1 could not be written to %2: %3")
                       .arg(what, shownFileName(QDir::toNativeSeparators(path)), QString::fromStdString(write.reason)));
    } else if (status_) {
        status_->showMessage(QString("Saved to %1").arg(shownFileName(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()))));
    }
}

void FileService::warn(QWidget* over, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, kProgramTitle, text, QMessageBox::Ok, over);
    box.exec();
}

void FileService::savePicture(QWidget* over, const QString& suggestedName, QSize size, const QWidget& shownOn,
                              const PicturePainter& paint)
{
    const QString path = askForFile(over, "Save picture", suggestedName, kPictureFilter);
    if (path.isEmpty()) return;
    const std::optional<QByteArray> picture = encodePicture(path, size, shownOn, paint);
    if (!picture)
        warn(over, "The picture could not be encoded.");
    else
        writeFile(over, path, std::string_view(picture->constData(), static_cast<std::size_t>(picture->size())),
                  "picture");
}
