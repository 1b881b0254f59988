#pragma once
// Pages whose editors are not part of this build yet: each shows what the
// folder is, so the operator is never left with an empty pane.

#include "plugin/rizurividuvez.h"

#include <QWidget>

class PendingPage : public QWidget
{
    Q_OBJECT
public:
    PendingPage(QObject *navigator, Settings folder, Settings server_root, const char *kind);
    ~PendingPage() override;

private:
    QObject *navigator_;
    Settings folder_;
    Settings server_root_;
};

#define VX_PENDING_PAGE(Class, kind)                                                               \
    class Class : public PendingPage                                                               \
    {                                                                                              \
    public:                                                                                        \
        Class(QObject *navigator, Settings folder, Settings server_root)                           \
            : PendingPage(navigator, folder, server_root, kind)                                    \
        {}                                                                                         \
    };

VX_PENDING_PAGE(QSetupRule, "Rule")

#undef VX_PENDING_PAGE
