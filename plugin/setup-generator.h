#pragma once
// The page factory the plug-in registers for each object type.

#include "plugin/host.h"
#include "qt4-pavo7/reusable/known-servers.h"

#include <QWidget>

template <class T> class QTemplateSetupGenerator : public QSetupDialogGenerator
{
public:
    QWidget *create(QObject *navigator, Settings folder, Settings server_root) override
    {
        // Selectors that know a server only by name find its folders here.
        Reusable::known_servers::remember(server_root);
        return new T(navigator, folder, server_root);
    }
};
