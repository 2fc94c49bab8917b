#pragma once

#include <map>

#include <QObject>
#include <QStringList>

#include "window/command_states.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The main window's commands on the drawn section, each one action shared by
// the toolbar and the section plot's context menu: text and icon, shortcut,
// and a tooltip that says what it does or why it does not apply yet. Also the
// menu of the pins, to remove one or all.
class CommandBar : public QObject {
    Q_OBJECT

public:
    explicit CommandBar(QMainWindow* window);

    QAction* action(folix::Command command) const { return actions_.at(command); }
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* plotMenu() const { return plotMenu_; }
    QMenu* pinsMenu() const { return pinsMenu_; }

    // Enables each action by what the window knows, with the reason in its tooltip when greyed.
    void apply(const folix::CommandFacts& facts);
    // The pins' legend labels, in order: one "Remove" entry each.
    void setPins(const QStringList& labels);
    // While box has the focus, an enabled command's shortcut still runs the
    // command rather than the box's own use of the keys (Ctrl+K would delete
    // to the end of the line).
    void keepShortcutsIn(QWidget* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void pinRemovalAsked(int index);
    void allPinsRemovalAsked();

private:
    std::map<folix::Command, QAction*> actions_;
    std::map<folix::Command, QString> descriptions_;
    QToolBar* toolBar_ = nullptr;
    QMenu* plotMenu_ = nullptr;
    QMenu* pinsMenu_ = nullptr;
};
