#pragma once

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "message_box_catcher.h"
#include "window/main_window.h"

// A main window working in a folder of its own, its file dialog answered by
// `answer` (a name in that folder; none cancels) and its message boxes by Enter.
struct WindowFixture {
    QString startDir = QDir::currentPath();
    QTemporaryDir dir;
    MessageBoxCatcher boxes;
    MainWindow window;
    QString answer;
    QStringList suggested;

    WindowFixture()
    {
        QDir::setCurrent(dir.path());
        window.setSaveFileChooser([this](QWidget*, const QString&, const QString& name, const QString&) {
            suggested << QFileInfo(name).fileName();
            return answer.isEmpty() ? QString() : path(answer);
        });
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) qFatal("the main window never became active");
    }
    ~WindowFixture() { QDir::setCurrent(startDir); }

    template <class T>
    T* find(const char* name, QObject* in = nullptr) const
    {
        T* found = (in ? in : static_cast<QObject*>(const_cast<MainWindow*>(&window)))->findChild<T*>(name);
        if (!found) qFatal("no %s", name);
        return found;
    }
    QAction* action(const char* name) const { return find<QAction>(name); }
    void type(const char* box, const QString& text) const { find<QLineEdit>(box)->setText(text); }
    void design(const QString& delta = "0.12", const QString& gamma = "0.02", const QString& tau = "10") const
    {
        type("Text_Delta", delta);
        type("Text_Gamma", gamma);
        type("Text_Tau", tau);
        find<QPushButton>("Command1")->click();
    }
    QString status() const { return window.statusBar()->currentMessage(); }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
