#include "qt4-pavo7/reusable/float-spin-box.h"

#include <QRegularExpression>
#include <cfloat>

namespace Reusable {

FloatSpinBox::FloatSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    // The box rounds every value to its decimals; with all of them it keeps
    // what six significant digits can say, however small.
    setDecimals(DBL_MAX_10_EXP + DBL_DIG);
}

QString FloatSpinBox::stored_form(double value)
{
    return QString::number(value, 'g', 6);
}

QString FloatSpinBox::textFromValue(double value) const
{
    QString text = locale().toString(value, 'g', 6);
    return text.remove(locale().groupSeparator());
}

double FloatSpinBox::valueFromText(const QString &text) const
{
    return stored_form(read(text, nullptr)).toDouble();
}

QValidator::State FloatSpinBox::validate(QString &text, int &) const
{
    bool ok = false;
    const double value = read(text, &ok);
    if (ok)
        return value >= minimum() && value <= maximum() ? QValidator::Acceptable
                                                        : QValidator::Intermediate;
    // The start of a number ("-", "1.", "1e-") may still become one.
    static const QRegularExpression start(
        QStringLiteral("^[+-]?[0-9]*[.,]?[0-9]*([eE][+-]?[0-9]*)?$"));
    return start.match(text.trimmed()).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}

// The operator's own form first, then the stored one.
double FloatSpinBox::read(const QString &text, bool *ok) const
{
    const QString trimmed = text.trimmed();
    bool read_ok = false;
    double value = locale().toDouble(trimmed, &read_ok);
    if (!read_ok)
        value = trimmed.toDouble(&read_ok);
    if (ok)
        *ok = read_ok;
    return read_ok ? value : 0.0;
}

} // namespace Reusable
