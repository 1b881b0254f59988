#pragma once
// The page factory the plug-in registers for each object type.

#include "plugin/host.h"

#include <QWidget>

template <class T> class QTemplateSetupGenerator : public QSetupDialogGenerator
{
public:
    QWidget *create(QObject *navigator, Settings folder, Settings server_root) override
    {
        return new T(navigator, folder, server_root);
    }
};
