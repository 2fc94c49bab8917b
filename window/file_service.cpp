#include "file_service.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>

#include "results/file_output.h"
#include "results/shown_file_name.h"
#include "window/window_texts.h"

QString shownFileName(const QString& name)
{
    return QString::fromStdString(folix::shownFileName(name.toStdString()));
}

namespace {

// "png" of "PNG images (*.png);;…": the first extension a filter names.
QString firstExtension(const QString& filter)
{
    const QRegularExpressionMatch match = QRegularExpression(R"(\*\.(\w+))").match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString fileDialog(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter)
{
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(suggested);
    // The dialog adds the chosen filter's extension itself, and asks before replacing the file so named.
    dialog.setDefaultSuffix(firstExtension(filter));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& chosen) { dialog.setDefaultSuffix(firstExtension(chosen)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString shownPath(const QString& path)
{
    return shownFileName(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

}  // namespace

FileService::FileService(QStatusBar* status) : status_(status), choose_(fileDialog) {}

QString FileService::askForFile(QWidget* over, const QString& caption, const QString& suggestedName,
                                const QString& filter)
{
    const QDir folder(folder_.isEmpty() ? QDir::currentPath() : folder_);
    QString path = choose_(over, caption, folder.filePath(suggestedName), filter);
    if (path.isEmpty()) return {};
    const QString extension = firstExtension(filter);
    if (QFileInfo(path).suffix().isEmpty() && !extension.isEmpty()) {
        if (path.endsWith('.')) path.chop(1);
        path += "." + extension;
        if (QFileInfo::exists(path) &&
            !confirm(over, QString("%1 exists already. Replace it?").arg(shownPath(path)), "Replace"))
            return {};
    }
    folder_ = QFileInfo(path).absolutePath();
    return path;
}

bool FileService::writeFile(QWidget* over, const QString& path, std::string_view contents, const QString& what,
                            const QString& savedWhat)
{
    const folix::FileWrite write = folix::writeTextFile(std::filesystem::path(path.toStdU16String()), contents);
    if (!write.written) {
        warn(over, QString("The %1 could not be written to %2: %3")
                       .arg(what, shownFileName(QDir::toNativeSeparators(path)), QString::fromStdString(write.reason)));
        return false;
    }
    tell(savedWhat.isEmpty() ? QString("Saved to %1").arg(shownPath(path))
                             : QString("Saved %1 to %2").arg(savedWhat, shownPath(path)));
    return true;
}

void FileService::warn(QWidget* over, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, kProgramTitle, text, QMessageBox::Ok, over);
    box.exec();
}

bool FileService::confirm(QWidget* over, const QString& question, const QString& yes)
{
    QMessageBox box(QMessageBox::Question, kProgramTitle, question, QMessageBox::NoButton, over);
    QPushButton* agree = box.addButton(yes, QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == agree;
}

void FileService::tell(const QString& text)
{
    if (status_) status_->showMessage(text);
}

void FileService::savePicture(QWidget* over, const QString& suggestedName, QSize size, const QWidget& shownOn,
                              const QString& description, const PicturePainter& paint)
{
    QString path = askForFile(over, "Save picture", suggestedName, kPictureFormatsFilter);
    if (path.isEmpty()) return;
    std::optional<PictureFormat> format = pictureFormatOf(path);
    if (!format) {
        const QString asPng = path + ".png";
        const QString question = QString("FolixDesign saves pictures as PNG, JPEG, SVG or PDF, told by the file "
                                         "name's ending, and does not know \".%1\". Save a PNG picture as %2?")
                                     .arg(QFileInfo(path).suffix(), QFileInfo(asPng).fileName());
        if (!confirm(over, question, "Save as PNG")) return;
        if (QFileInfo::exists(asPng) &&
            !confirm(over, QString("%1 exists already. Replace it?").arg(shownPath(asPng)), "Replace"))
            return;
        path = asPng;
        format = PictureFormat::Png;
    }
    const std::optional<QByteArray> picture = pictureBytes(*format, size, shownOn, description, paint);
    if (!picture)
        warn(over, "The picture could not be encoded.");
    else
        writeFile(over, path, std::string_view(picture->constData(), static_cast<std::size_t>(picture->size())),
                  "picture");
}
