#include "qt4-pavo7/reusable/parameters-editor.h"

#include "qt4-pavo7/reusable/float-spin-box.h"

#include "utils/logging.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>
#include <algorithm>
#include <climits>

namespace Reusable {
namespace {

const char DATE_FORM[] = "dd.MM.yyyy";
const char TIME_FORM[] = "hh:mm:ss";

QString translated(const QString &text)
{
    return QCoreApplication::translate("UniversalParametersEditor", text.toUtf8().constData());
}

int attribute_int(const ParameterRecord &record, const char *name, int otherwise)
{
    bool ok = false;
    const int value = record.attributes.value(QLatin1String(name)).toInt(&ok);
    return ok ? value : otherwise;
}

double attribute_double(const ParameterRecord &record, const char *name, double otherwise)
{
    bool ok = false;
    const double value = record.attributes.value(QLatin1String(name)).toDouble(&ok);
    return ok ? value : otherwise;
}

QDate read_date(const QString &value)
{
    const QDate date = QDate::fromString(value, QLatin1String(DATE_FORM));
    return date.isValid() ? date : QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
}

} // namespace

UniversalParametersEditor::UniversalParametersEditor(QGridLayout *layout, QWidget *parent)
    : QWidget(parent)
    , layout_(layout)
{
    if (!layout_) {
        layout_ = new QGridLayout(this);
    } else {
        // The rows sit in the caller's container; this widget only owns the
        // logic and must not cover them.
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFixedHeight(0);
    }
}

UniversalParametersEditor::~UniversalParametersEditor() = default;

void UniversalParametersEditor::set_description(const std::string &declaration_xml)
{
    for (Row &row : rows_) {
        delete row.label;
        delete row.widget;
    }
    rows_.clear();
    next_row_.clear();
    ParameterList list = parse_parameters(declaration_xml);
    for (const QString &bad : list.bad_turn_on)
        VX_LOG(2, "Parameters editor: wrong 'turn_on' format '%s'\n", to_utf8(bad).c_str());
    for (ParameterRecord &record : list.items) {
        rows_.push_back(Row{std::move(record), nullptr, nullptr});
        add_row(rows_.back());
    }
    apply_all_rules();
}

void UniversalParametersEditor::set_values(const std::string &values, bool add_unknown)
{
    const ParameterList stored = parse_parameters(values);
    if (!stored.parsed)
        return;
    for (const ParameterRecord &record : stored.items) {
        auto row = std::find_if(rows_.begin(), rows_.end(), [&](const Row &r) {
            return r.record.id == record.id && r.record.type == record.type;
        });
        if (row != rows_.end()) {
            row->record.value = record.value;
            if (row->widget) {
                const QSignalBlocker blocker(row->widget);
                show_value(row->widget, row->record);
            }
        } else if (add_unknown) {
            rows_.push_back(Row{record, nullptr, nullptr});
            add_row(rows_.back());
        }
    }
    apply_all_rules();
}

std::string UniversalParametersEditor::get_values() const
{
    std::vector<ParameterRecord> records;
    records.reserve(rows_.size());
    for (const Row &row : rows_)
        records.push_back(row.record);
    return format_values(records);
}

int UniversalParametersEditor::parameters_count() const
{
    return static_cast<int>(rows_.size());
}

void UniversalParametersEditor::add_row(Row &row)
{
    const ParameterRecord &record = row.record;
    QWidget *container = layout_->parentWidget() ? layout_->parentWidget() : this;
    QWidget *widget = create_widget(record, container);
    if (!widget)
        return;
    {
        const QSignalBlocker blocker(widget);
        show_value(widget, record);
    }
    const int column = std::max(0, record.column);
    if (next_row_.size() <= size_t(column))
        next_row_.resize(column + 1, 0);
    const int grid_row = next_row_[column]++;
    row.widget = widget;
    if (record.id.isEmpty()) {
        layout_->addWidget(widget, grid_row, 2 * column, 1, 2);
    } else {
        row.label = new QLabel(translated(record.name), container);
        row.label->setBuddy(widget);
        layout_->addWidget(row.label, grid_row, 2 * column);
        layout_->addWidget(widget, grid_row, 2 * column + 1);
        layout_->setColumnStretch(2 * column + 1, 1);
    }
    set_row_enabled(row, record.enabled);
    // Rows stay at the top of a taller container.
    const int last = *std::max_element(next_row_.begin(), next_row_.end());
    for (int r = 0; r < last; ++r)
        layout_->setRowStretch(r, 0);
    layout_->setRowStretch(last, 1);
}

QWidget *UniversalParametersEditor::create_widget(const ParameterRecord &record, QWidget *parent)
{
    const QString &type = record.type;
    if (record.id.isEmpty())
        return nullptr;
    if (type == QLatin1String("integer")) {
        auto *box = new QSpinBox(parent);
        box->setRange(attribute_int(record, "min", INT_MIN), attribute_int(record, "max", INT_MAX));
        box->setPrefix(record.attributes.value(QStringLiteral("prefix")));
        box->setSuffix(record.attributes.value(QStringLiteral("suffix")));
        connect(box, qOverload<int>(&QSpinBox::valueChanged), this,
                &UniversalParametersEditor::change_integer);
        return box;
    }
    if (type == QLatin1String("float")) {
        auto *box = new FloatSpinBox(parent);
        box->setRange(attribute_double(record, "min", -1e9), attribute_double(record, "max", 1e9));
        connect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
                &UniversalParametersEditor::change_float);
        return box;
    }
    if (type == QLatin1String("string") || type == QLatin1String("string_list")) {
        auto *edit = new QLineEdit(parent);
        if (type == QLatin1String("string"))
            connect(edit, &QLineEdit::textChanged, this, &UniversalParametersEditor::change_string);
        else
            connect(edit, &QLineEdit::textChanged, this,
                    &UniversalParametersEditor::change_string_list);
        return edit;
    }
    if (type == QLatin1String("date")) {
        auto *edit = new QDateEdit(parent);
        edit->setDisplayFormat(QLatin1String(DATE_FORM));
        edit->setCalendarPopup(true);
        connect(edit, &QDateEdit::dateChanged, this, &UniversalParametersEditor::change_date);
        return edit;
    }
    if (type == QLatin1String("time")) {
        auto *edit = new QTimeEdit(parent);
        edit->setDisplayFormat(QLatin1String(TIME_FORM));
        connect(edit, &QTimeEdit::timeChanged, this, &UniversalParametersEditor::change_time);
        return edit;
    }
    if (type == QLatin1String("string_from_list")) {
        auto *box = new QComboBox(parent);
        for (const QString &item :
             record.attributes.value(QStringLiteral("string_list")).split(',')) {
            const QString trimmed = item.trimmed();
            box->addItem(translated(trimmed), trimmed);
        }
        // The stored value is the untranslated item, which the text is not.
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this, box](int index) { apply_change(box, box->itemData(index).toString()); });
        return box;
    }
    if (type == QLatin1String("checkbox")) {
        auto *box = new QCheckBox(parent);
        connect(box, &QCheckBox::toggled, this, &UniversalParametersEditor::change_bool);
        return box;
    }
    return nullptr;
}

void UniversalParametersEditor::show_value(QWidget *widget, const ParameterRecord &record)
{
    const QString &value = record.value;
    if (auto *box = qobject_cast<QSpinBox *>(widget))
        box->setValue(value.toInt());
    else if (auto *box = qobject_cast<QDoubleSpinBox *>(widget))
        box->setValue(value.toDouble());
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->setText(value);
    else if (auto *edit = qobject_cast<QTimeEdit *>(widget))
        edit->setTime(QTime::fromString(value, QLatin1String(TIME_FORM)));
    else if (auto *edit = qobject_cast<QDateEdit *>(widget))
        edit->setDate(read_date(value));
    else if (auto *box = qobject_cast<QComboBox *>(widget))
        box->setCurrentIndex(box->findData(value));
    else if (auto *box = qobject_cast<QCheckBox *>(widget))
        box->setChecked(value == QLatin1String("1") || value == QLatin1String("True"));
}

QString UniversalParametersEditor::bool_value(const ParameterRecord &, bool checked) const
{
    return checked ? QStringLiteral("1") : QStringLiteral("0");
}

void UniversalParametersEditor::change_string(const QString &text)
{
    change_from_sender(text);
}

void UniversalParametersEditor::change_bool(bool checked)
{
    Row *row = row_of(sender());
    Q_ASSERT(row);
    if (row)
        apply_change(row->widget, bool_value(row->record, checked));
}

void UniversalParametersEditor::change_integer(int value)
{
    change_from_sender(QString::number(value));
}

void UniversalParametersEditor::change_float(double value)
{
    change_from_sender(FloatSpinBox::stored_form(value));
}

void UniversalParametersEditor::change_date(const QDate &date)
{
    change_from_sender(date.toString(QLatin1String(DATE_FORM)));
}

void UniversalParametersEditor::change_time(const QTime &time)
{
    change_from_sender(time.toString(QLatin1String(TIME_FORM)));
}

void UniversalParametersEditor::change_string_list(const QString &text)
{
    change_from_sender(text);
}

void UniversalParametersEditor::change_from_sender(const QString &value)
{
    Row *row = row_of(sender());
    Q_ASSERT(row);
    if (row)
        apply_change(row->widget, value);
}

void UniversalParametersEditor::apply_change(QWidget *widget, const QString &value)
{
    Row *row = row_of(widget);
    if (!row)
        return;
    std::set<Row *> visiting{row};
    apply_rules(*row, row->record.value, false, visiting);
    row->record.value = value;
    visiting = {row};
    apply_rules(*row, value, true, visiting);
    Q_EMIT changed();
}

UniversalParametersEditor::Row *UniversalParametersEditor::row_of(QObject *widget)
{
    // An editor may be a composite whose inner control sends the signal.
    for (QObject *o = widget; o; o = o->parent())
        for (Row &row : rows_)
            if (row.widget && row.widget == o)
                return &row;
    return nullptr;
}

UniversalParametersEditor::Row *UniversalParametersEditor::row_by_id(const QString &id)
{
    for (Row &row : rows_)
        if (row.record.id == id)
            return &row;
    return nullptr;
}

void UniversalParametersEditor::set_row_enabled(Row &row, bool enabled)
{
    row.record.enabled = enabled;
    if (row.label)
        row.label->setEnabled(enabled);
    if (row.widget)
        row.widget->setEnabled(enabled);
}

void UniversalParametersEditor::apply_rules(Row &row, const QString &value, bool enable,
                                            std::set<Row *> &visiting)
{
    const auto rule = row.record.turn_on.constFind(value);
    if (rule == row.record.turn_on.constEnd())
        return;
    for (const QString &id : *rule) {
        Row *target = row_by_id(id);
        if (!target || !visiting.insert(target).second)
            continue;
        set_row_enabled(*target, enable);
        apply_rules(*target, target->record.value, enable, visiting);
    }
}

void UniversalParametersEditor::apply_all_rules()
{
    // A rule's ids are enabled only while its value is chosen: first every
    // other value's rule disables, then the chosen one applies.
    for (Row &row : rows_) {
        for (auto it = row.record.turn_on.constBegin(); it != row.record.turn_on.constEnd(); ++it) {
            if (it.key() == row.record.value)
                continue;
            std::set<Row *> visiting{&row};
            apply_rules(row, it.key(), false, visiting);
        }
        // A row switched off switches off what its value would turn on.
        std::set<Row *> visiting{&row};
        apply_rules(row, row.record.value, row.record.enabled, visiting);
    }
}

} // namespace Reusable
