#pragma once

#include <utility>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// Answers every modal message box the window opens, as a user would with the
// Enter key, and remembers what it showed, so that no test ever blocks on one.
class MessageBoxCatcher : public QObject {
public:
    struct Shown {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QList<QAbstractButton*>::size_type buttonCount;
        bool okOnly;
        bool modal;
    };

    MessageBoxCatcher()
    {
        connect(&poll_, &QTimer::timeout, this, &MessageBoxCatcher::answer);
        poll_.start(5);
    }

    std::vector<Shown> take() { return std::exchange(shown_, {}); }

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        if (box == answered_) {  // Enter did not close it: close it anyway, the test has seen it
            box->done(QMessageBox::Cancel);
            return;
        }
        answered_ = box;
        const QList<QAbstractButton*> buttons = box->buttons();
        shown_.push_back({box->windowTitle(), box->text(), box->icon(), buttons.size(),
                          buttons.size() == 1 && box->standardButton(buttons.front()) == QMessageBox::Ok,
                          box->isModal()});
        QTest::keyClick(box, Qt::Key_Return);
    }

    QTimer poll_;
    QPointer<QMessageBox> answered_;
    std::vector<Shown> shown_;
};
