#include "command_bar.h"

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "window/command_icons.h"

namespace {

using folix::Command;

struct CommandText {
    Command command;
    const char* name;      // the action's object name
    const char* text;      // in menus
    const char* iconText;  // under the toolbar's icon
    const char* shortcut;  // none when empty
    const char* description;
};

const CommandText kCommands[] = {
    {Command::ExportCoordinates, "ExportCoordinates", "Export coordinates\u2026", "Coordinates", "Ctrl+D",
     "Write the drawn section as a Selig .dat file for XFOIL, XFLR5 or a CAD program"},
    {Command::CopyCoordinates, "CopyCoordinates", "Copy coordinates", "Copy", "",
     "Put the drawn section's Selig coordinates on the clipboard"},
    {Command::ExportDrawing, "ExportDrawing", "Export drawing\u2026", "Drawing", "",
     "The drawn section at true scale in millimetres, as SVG, DXF or PDF for CAD and cutting"},
    {Command::SavePicture, "SavePicture", "Save picture\u2026", "Picture", "Ctrl+Shift+S",
     "The plot as PNG, JPG, SVG or PDF, told by the file name's ending"},
    {Command::PressureDistribution, "PressureDistribution", "Pressure distribution\u2026", "Pressure", "Ctrl+P",
     "Exact inviscid pressure distribution, lift and moment of the drawn section"},
    {Command::Flow, "ShowFlow", "Flow\u2026", "Flow", "Ctrl+F",
     "Streamlines of the exact inviscid flow past the drawn section"},
    {Command::Pin, "PinSection", "Pin for comparison", "Pin", "Ctrl+K",
     "Keep the drawn section's outline, and its pressure distribution, drawn for comparison (up to 6)"},
    {Command::AddReference, "AddReferenceSection", "Add reference section\u2026", "Reference", "",
     "Read a Selig or Lednicer coordinate file, such as a NACA section, as a pin"},
    {Command::DesignForLift, "DesignForLift", "Design for lift\u2026", "For lift", "Ctrl+L",
     "Find the camber for a wanted lift coefficient at an angle of attack or at the ideal angle"},
    {Command::ViscousPolar, "ViscousPolarCommand", "Viscous polar\u2026", "Viscous", "",
     "Lift, drag and moment with the boundary layer, computed by XFOIL"},
};

}  // namespace

CommandBar::CommandBar(QMainWindow* window) : QObject(window)
{
    toolBar_ = new QToolBar("Commands", window);
    toolBar_->setObjectName("CommandBar");
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    window->addToolBar(Qt::TopToolBarArea, toolBar_);

    for (const CommandText& entry : kCommands) {
        auto* action = new QAction(commandIcon(entry.command), QString::fromUtf8(entry.text), window);
        action->setObjectName(entry.name);
        action->setIconText(entry.iconText);
        if (*entry.shortcut) action->setShortcut(QKeySequence(entry.shortcut));
        // Within the main window only, so each window keeps its own keys.
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        actions_[entry.command] = action;
        descriptions_[entry.command] = entry.description;
    }

    pinsMenu_ = new QMenu("Remove pin", window);
    pinsMenu_->setObjectName("PinsMenu");
    setPins({});

    const auto group = [this](std::initializer_list<Command> commands) {
        for (const Command command : commands) toolBar_->addAction(action(command));
        toolBar_->addSeparator();
    };
    group({Command::ExportCoordinates, Command::CopyCoordinates, Command::ExportDrawing, Command::SavePicture});
    group({Command::PressureDistribution, Command::Flow});
    group({Command::Pin, Command::AddReference});
    for (const Command command : {Command::DesignForLift, Command::ViscousPolar}) toolBar_->addAction(action(command));
    if (auto* pinButton = qobject_cast<QToolButton*>(toolBar_->widgetForAction(action(Command::Pin)))) {
        pinButton->setMenu(pinsMenu_);
        pinButton->setPopupMode(QToolButton::MenuButtonPopup);
    }

    plotMenu_ = new QMenu(window);
    plotMenu_->setObjectName("PlotMenu");
    for (const Command command : {Command::ExportCoordinates, Command::CopyCoordinates, Command::ExportDrawing,
                                  Command::SavePicture})
        plotMenu_->addAction(action(command));
    plotMenu_->addSeparator();
    plotMenu_->addAction(action(Command::PressureDistribution));
    plotMenu_->addAction(action(Command::Flow));
    plotMenu_->addSeparator();
    plotMenu_->addAction(action(Command::Pin));
    plotMenu_->addAction(action(Command::AddReference));
    plotMenu_->addMenu(pinsMenu_);

    apply({});
}

void CommandBar::apply(const folix::CommandFacts& facts)
{
    for (const auto& [command, action] : actions_) {
        const folix::CommandState state = folix::commandState(command, facts);
        action->setEnabled(state.enabled);
        QString tip = descriptions_[command];
        if (!action->shortcut().isEmpty()) tip += " (" + action->shortcut().toString(QKeySequence::NativeText) + ")";
        if (!state.enabled) tip += ".\nNot available: " + QString::fromStdString(state.reason) + ".";
        action->setToolTip(tip);
        action->setStatusTip(tip.section('\n', 0, 0));
    }
}

void CommandBar::setPins(const QStringList& labels)
{
    pinsMenu_->clear();
    for (int i = 0; i < labels.size(); ++i) {
        QAction* remove = pinsMenu_->addAction(QString("Remove %1").arg(labels[i]));
        remove->setObjectName(QString("RemovePin%1").arg(i + 1));
        connect(remove, &QAction::triggered, this, [this, i] { emit pinRemovalAsked(i); });
    }
    pinsMenu_->addSeparator();
    QAction* all = pinsMenu_->addAction("Remove all pins");
    all->setObjectName("RemoveAllPins");
    all->setEnabled(!labels.isEmpty());
    connect(all, &QAction::triggered, this, &CommandBar::allPinsRemovalAsked);
    pinsMenu_->setEnabled(!labels.isEmpty());
}

void CommandBar::keepShortcutsIn(QWidget* box)
{
    box->installEventFilter(this);
}

bool CommandBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const auto& entry : actions_) {
        const QAction* command = entry.second;
        // Left unaccepted, the override lets the shortcut through.
        if (command->isEnabled() && command->shortcut() == pressed) return true;
    }
    return QObject::eventFilter(watched, event);
}
