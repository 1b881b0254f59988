#pragma once
// A form of parameters built from an XML declaration: one row per parameter
// (caption label and editor) in the caller's grid layout, the values kept as
// ParameterRecords and written out as the stored values document. Editors
// of the common types are built here; a subclass adds its own types.

#include "qt4-pavo7/reusable/parameter-records.h"

#include <QWidget>
#include <set>
#include <string>
#include <vector>

class QDate;
class QGridLayout;
class QLabel;
class QTime;

namespace Reusable {

class UniversalParametersEditor : public QWidget
{
    Q_OBJECT
public:
    // Rows are added to `layout` (which the caller placed in its container);
    // without a layout the editor lays the rows out in itself. The rows live
    // in the layout's widget: the caller removes them with it.
    UniversalParametersEditor(QGridLayout *layout, QWidget *parent);
    ~UniversalParametersEditor() override;

    void set_description(const std::string &declaration_xml); // builds the rows
    void set_values(const std::string &values, bool add_unknown = false);
    std::string get_values() const; // the stored-values document (UTF-8, indent 1)
    int parameters_count() const;

Q_SIGNALS:
    void changed();

public Q_SLOTS:
    void change_string(const QString &);
    void change_bool(bool);
    void change_integer(int);
    void change_float(double);
    void change_date(const QDate &);
    void change_time(const QTime &);
    void change_string_list(const QString &);

protected:
    // The editor of a record's type, parented to `parent`, with its change
    // signal connected to the matching slot; null for a type without one.
    // A widget for a record without id is a heading row of its own.
    virtual QWidget *create_widget(const ParameterRecord &record, QWidget *parent);
    // Shows the record's value in its editor; called with the editor's
    // signals blocked.
    virtual void show_value(QWidget *widget, const ParameterRecord &record);
    // The value form of a check box state for the record's type.
    virtual QString bool_value(const ParameterRecord &record, bool checked) const;
    // Stores a new value of the record edited in `widget` and applies its
    // turn_on rules; for editors whose signal carries no value of its own.
    void apply_change(QWidget *widget, const QString &value);

private:
    struct Row
    {
        ParameterRecord record;
        QLabel *label = nullptr;
        QWidget *widget = nullptr;
    };

    void add_row(Row &row);
    Row *row_of(QObject *widget);
    Row *row_by_id(const QString &id);
    void set_row_enabled(Row &row, bool enabled);
    void apply_rules(Row &row, const QString &value, bool enable, std::set<Row *> &visiting);
    void apply_all_rules();
    void change_from_sender(const QString &value);

    QGridLayout *layout_;
    std::vector<Row> rows_;
    std::vector<int> next_row_; // per form column
};

} // namespace Reusable
