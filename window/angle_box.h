#pragma once

#include <functional>
#include <optional>

#include <QDoubleSpinBox>

class QLabel;

// An angle of attack in degrees, within a range, taken as it is typed. A
// typed number outside the range is not cut short to what fits (25 becoming
// 2): on Enter or on leaving the box the angle goes back to what it was
// before the typing began, and the refusal label says what was refused and
// why, until the next angle is taken.
class AngleBox : public QDoubleSpinBox {
    Q_OBJECT

public:
    AngleBox(double steepest, double step, QWidget* parent = nullptr);

    // The label that tells of a refused text, for the window to place beside
    // the box: it must be laid out.
    QLabel* refusalLabel() const { return refusal_; }

    QValidator::State validate(QString& text, int& position) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The typed number when it reads as one outside the range.
    std::optional<double> outOfRange() const;
    void finishTyping(const std::function<void()>& takeText);

    QLabel* refusal_ = nullptr;
    bool typing_ = false;
    double beforeTyping_ = 0;
};
