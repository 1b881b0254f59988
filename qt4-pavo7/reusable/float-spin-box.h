#pragma once
// The editor of a "float" parameter. A plain QDoubleSpinBox rounds to a fixed
// number of decimals, so a value with more of them than the default (0.125
// beside 0.5, 1e-05) was cut; this one keeps, shows and takes six
// significant digits, the form the value is stored in (shown with the
// locale's decimal point).

#include <QDoubleSpinBox>

namespace Reusable {

class FloatSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    explicit FloatSpinBox(QWidget *parent = nullptr);

    // The stored form: six significant digits, C locale ("0.125", "1e-05").
    static QString stored_form(double value);

    QString textFromValue(double value) const override;
    double valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;

private:
    double read(const QString &text, bool *ok) const;
};

} // namespace Reusable
