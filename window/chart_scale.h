#pragma once

#include <QLocale>
#include <QString>

#include "engine/number_text.h"

// A tick's value as the charts label it, with the user's decimal separator.
inline QString tickText(double value)
{
    return QString::fromStdString(folix::formatGeneral(value, QLocale().decimalPoint().toStdString()));
}

// Linear placement of a value range onto a pixel range, and back.
class ChartScale {
public:
    ChartScale(double low, double high, double from, double to) : low_(low), high_(high), from_(from), to_(to) {}
    double operator()(double value) const { return from_ + (value - low_) / (high_ - low_) * (to_ - from_); }
    double valueAt(double place) const { return low_ + (place - from_) / (to_ - from_) * (high_ - low_); }

private:
    double low_, high_, from_, to_;
};
