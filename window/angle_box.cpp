#include "angle_box.h"

#include <utility>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "window/window_colours.h"

AngleBox::AngleBox(double steepest, double step, QWidget* parent) : QDoubleSpinBox(parent)
{
    setRange(-steepest, steepest);
    setSingleStep(step);
    setDecimals(1);
    setSuffix("\u00b0");
    setAccelerated(true);

    refusal_ = new QLabel;
    refusal_->setObjectName("AngleRefusal");
    QPalette ink = refusal_->palette();
    ink.setColor(QPalette::WindowText, kMessageInk);
    refusal_->setPalette(ink);
    refusal_->setVisible(false);
    connect(this, &QDoubleSpinBox::valueChanged, refusal_, [this] {
        if (!typing_) refusal_->setVisible(false);
    });
}

std::optional<double> AngleBox::outOfRange() const
{
    QString text = lineEdit()->text();
    text.remove(suffix()).remove(' ');
    bool number = false;
    const double value = locale().toDouble(text, &number);
    if (!number || (value >= minimum() && value <= maximum())) return std::nullopt;
    return value;
}

QValidator::State AngleBox::validate(QString& text, int& position) const
{
    const QValidator::State state = QDoubleSpinBox::validate(text, position);
    if (state != QValidator::Invalid) return state;
    // A number out of range stays as typed, to be seen and refused rather than cut short.
    QString number = text;
    number.remove(suffix()).remove(' ');
    bool readable = false;
    locale().toDouble(number, &readable);
    return readable ? QValidator::Intermediate : QValidator::Invalid;
}

void AngleBox::finishTyping(const std::function<void()>& takeText)
{
    const std::optional<double> refused = outOfRange();
    takeText();
    const bool typed = std::exchange(typing_, false);
    if (!refused) return;
    if (typed) setValue(beforeTyping_);  // not the "2" met on the way to "25"
    refusal_->setText(QString("%1\u00b0 is outside %2\u00b0 to %3\u00b0: the angle stays %4")
                          .arg(locale().toString(*refused), locale().toString(minimum()), locale().toString(maximum()),
                               textFromValue(value()) + suffix()));
    refusal_->setVisible(true);
}

void AngleBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        finishTyping([&] { QDoubleSpinBox::keyPressEvent(event); });
        return;
    }
    if (!typing_ && !event->text().isEmpty()) {
        beforeTyping_ = value();
        typing_ = true;
    }
    QDoubleSpinBox::keyPressEvent(event);
}

void AngleBox::focusOutEvent(QFocusEvent* event)
{
    finishTyping([&] { QDoubleSpinBox::focusOutEvent(event); });
}
