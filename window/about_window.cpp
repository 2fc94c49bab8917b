#include "about_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

#include "window/window_colours.h"

namespace {

constexpr int kTitleIndent = 40;   // left edge shared by title, credit and update lines
constexpr int kPromptIndent = 20;  // the e-mail prompt starts further left
constexpr int kMargin = 20;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, double pointSize, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font(AboutWindow::typeface());
    font.setPointSizeF(pointSize);
    label->setFont(font);
    QPalette ink = label->palette();
    ink.setColor(QPalette::WindowText, colour);
    label->setPalette(ink);
    return label;
}

QHBoxLayout* indented(int indent, QWidget* label)
{
    auto* row = new QHBoxLayout;
    row->addSpacing(indent);
    row->addWidget(label);
    row->addStretch();
    return row;
}

}  // namespace

QString AboutWindow::typeface()
{
    static const QString family = [] {
        if (QFontDatabase::families().contains("Verdana")) return QString("Verdana");
        QFont sans;
        sans.setStyleHint(QFont::SansSerif);
        return sans.defaultFamily();
    }();
    return family;
}

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Form_About");
    setWindowTitle("About");
    QPalette background = palette();
    background.setColor(QPalette::Window, kLightYellow);
    setPalette(background);
    setAutoFillBackground(true);

    const QColor black(Qt::black);
    QLabel* name = makeLabel(this, "Label1", "FolixDesign", 12, kDarkGreen);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setUnderline(true);
    name->setFont(nameFont);
    QLabel* title = makeLabel(this, "Label2", "Design of Karman-Trefftz and Joukowsky Airfoils", 9.75, kDarkGreen);
    QLabel* credit = makeLabel(this, "Label7", kAboutCredit, 8.25, black);
    QLabel* updated = makeLabel(this, "Label8", "last update : Februaray 2007", 8.25, black);
    QLabel* prompt = makeLabel(this, "Label4", kAboutPrompt, 8.25, black);
    QLabel* address = makeLabel(this, "Label5", kAboutAddress, 8.25, kAddressBlue);
    address->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The title wraps onto two lines of a box a little narrower than its text.
    const QFontMetrics titleMetrics(title->font());
    const int titleWidth = titleMetrics.horizontalAdvance(title->text()) * 2 / 3;
    title->setWordWrap(true);
    title->setAlignment(Qt::AlignCenter);
    const QRect twoLines = titleMetrics.boundingRect(QRect(0, 0, titleWidth, 1000), Qt::TextWordWrap, title->text());
    title->setFixedSize(titleWidth, twoLines.height());
    name->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    name->setFixedWidth(titleWidth);

    const int addressIndent = kPromptIndent + prompt->sizeHint().width() / 2;

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, kMargin, kMargin + 8, kMargin);
    column->addStretch(2);
    column->addLayout(indented(kTitleIndent, name));
    column->addSpacing(6);
    column->addLayout(indented(kTitleIndent, title));
    column->addStretch(2);
    column->addLayout(indented(kTitleIndent, credit));
    column->addLayout(indented(kTitleIndent, updated));
    column->addStretch(3);
    column->addLayout(indented(kPromptIndent, prompt));
    column->addLayout(indented(addressIndent, address));
    column->addStretch(2);

    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);

    // A little wider than tall, about 4 : 3, and roomy enough for every line.
    const QSize natural = column->sizeHint();
    const int width = std::max(natural.width(), natural.height() * 4 / 3 + kMargin);
    resize(width, std::max(natural.height(), width * 3 / 4));
}
