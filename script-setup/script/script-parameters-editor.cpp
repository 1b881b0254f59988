#include "script-setup/script/script-parameters-editor.h"

#include "plugin/module-state.h"
#include "qt4-pavo7/reusable/common-edit.h"
#include "script-setup/script/object-selector.h"
#include "script-setup/script/server-selector.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>

using Reusable::ParameterRecord;
using Reusable::QCommonEdit;

ScriptParametersEditor::ScriptParametersEditor(const QString &server_name, QGridLayout *layout,
                                               QWidget *parent)
    : Reusable::UniversalParametersEditor(layout, parent)
    , server_name_(to_utf8(server_name))
{}

ScriptParametersEditor::~ScriptParametersEditor() = default;

QWidget *ScriptParametersEditor::create_widget(const ParameterRecord &record, QWidget *parent)
{
    const QString &type = record.type;
    if (type == QLatin1String("caption")) {
        const QString caption = QCoreApplication::translate("UniversalParametersEditor",
                                                            record.name.toUtf8().constData());
        auto *heading =
            new QLabel(QStringLiteral("<b>%1</b>").arg(caption.toHtmlEscaped()), parent);
        heading->setObjectName("caption");
        return heading;
    }
    if (record.id.isEmpty())
        return nullptr;
    if (type == QLatin1String("channel") || type == QLatin1String("gpio_out")) {
        auto *edit = new QCommonEdit(type == QLatin1String("channel") ? QCommonEdit::CHANNEL
                                                                      : QCommonEdit::OUTPUT,
                                     module_state::parameters_host(), server_name_, parent);
        connect(edit, &QCommonEdit::data_updated, this, &ScriptParametersEditor::change_string);
        return edit;
    }
    if (type == QLatin1String("boolean")) {
        auto *box = new QCheckBox(parent);
        connect(box, &QCheckBox::toggled, this, &ScriptParametersEditor::change_bool);
        return box;
    }
    if (type == QLatin1String("server")) {
        auto *box = new QServerSelector(server_name_, parent);
        connect(box, &QServerSelector::server_chosen, this, &ScriptParametersEditor::change_string);
        return box;
    }
    if (type == QLatin1String("objects")) {
        auto *selector = new QObjectSelector(server_name_, parent);
        connect(selector, &QObjectSelector::text_changed, this,
                &ScriptParametersEditor::change_string);
        return selector;
    }
    return UniversalParametersEditor::create_widget(record, parent);
}

void ScriptParametersEditor::show_value(QWidget *widget, const ParameterRecord &record)
{
    // The composite editors block their own inner controls.
    if (auto *edit = qobject_cast<QCommonEdit *>(widget))
        edit->set_text(record.value);
    else if (auto *box = qobject_cast<QServerSelector *>(widget))
        box->set_server(record.value);
    else if (auto *selector = qobject_cast<QObjectSelector *>(widget)) {
        const QSignalBlocker blocker(selector);
        selector->set_text(record.value);
    } else
        UniversalParametersEditor::show_value(widget, record);
}

QString ScriptParametersEditor::bool_value(const ParameterRecord &record, bool checked) const
{
    if (record.type == QLatin1String("boolean"))
        return checked ? QStringLiteral("True") : QStringLiteral("False");
    return UniversalParametersEditor::bool_value(record, checked);
}
