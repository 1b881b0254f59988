#pragma once
// The form of a script's parameters, built from their declaration.

#include <QWidget>
#include <string>
#include <vector>

class QDate;
class QGridLayout;
class QTime;

namespace Reusable {

class UniversalParametersEditor : public QWidget
{
    Q_OBJECT
public:
    // Rows are added to `layout` (which the caller placed in its container).
    UniversalParametersEditor(QGridLayout *layout, QWidget *parent);
    void set_description(const std::string &declaration_xml); // builds the rows
    void set_values(const std::string &values, bool add_unknown = false);
    std::string get_values() const; // the stored-values document (UTF-8, indent 1)
    int parameters_count() const;

signals:
    void changed();

public slots:
    void change_string(const QString &);
    void change_bool(bool);
    void change_integer(int);
    void change_float(double);
    void change_date(const QDate &);
    void change_time(const QTime &);
    void change_string_list(const QString &);

private:
    struct Row;
    std::vector<Row *> rows_;
    QGridLayout *layout_;
};

} // namespace Reusable
