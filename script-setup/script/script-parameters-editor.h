#pragma once
// The parameters form of the script pages.

#include "qt4-pavo7/reusable/parameters-editor.h"

#include <QString>

class ScriptParametersEditor : public Reusable::UniversalParametersEditor
{
    Q_OBJECT
public:
    ScriptParametersEditor(const QString &server_name, QGridLayout *layout, QWidget *parent);
};
