#pragma once
// The parameters form of a script page: the common parameter types plus
// headings, channels, outputs, Python booleans, servers and objects of the
// page's server.

#include "qt4-pavo7/reusable/parameters-editor.h"

#include <string>

class ScriptParametersEditor : public Reusable::UniversalParametersEditor
{
    Q_OBJECT
public:
    ScriptParametersEditor(const QString &server_name, QGridLayout *layout, QWidget *parent);
    ~ScriptParametersEditor() override;

protected:
    QWidget *create_widget(const Reusable::ParameterRecord &record, QWidget *parent) override;
    void show_value(QWidget *widget, const Reusable::ParameterRecord &record) override;
    QString bool_value(const Reusable::ParameterRecord &record, bool checked) const override;

private:
    std::string server_name_;
};
