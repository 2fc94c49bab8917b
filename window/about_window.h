#pragma once

#include <QWidget>

// "Form_About": product name, title, credits and contact address on light
// yellow. A window of its own with no parent; Escape closes it, and so does
// closing the main window.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // Verdana where the machine has it, the default sans-serif otherwise.
    static QString typeface();
};

inline constexpr const char* kAboutCredit = "Developed by the FolixDesign developers";
inline constexpr const char* kAboutPrompt = "Comments and questions are welcome by e-mail:";
inline constexpr const char* kAboutAddress = "folixdesign@example.org";
