#pragma once
// The warning marks of the rule and template loop pages: each control whose
// stored reference leads nowhere gets one (warning-mark.h), and the marks
// follow the server's folders while the page is open. They only show; the
// control and what is saved stay the page's.

#include "plugin/rizurividuvez.h"
#include "script-setup/references/references.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QGridWidget;
class QWidget;

namespace references {

class ReferenceIndex;

// The mark's text for a reference of `kind` naming `value`, translated in
// the page's class context ("QSetupRule", "QSetupLoop").
QString warning_text(const char *context, Kind kind, const std::string &value);

class ReferenceMarks : public QObject
{
    Q_OBJECT
public:
    // The rule page: its activation controls by name, its action rows in
    // `actions`.
    static ReferenceMarks *for_rule(QWidget *page, const Settings &folder,
                                    const Settings &server_root, QGridWidget *actions);
    // The loop page: its element rows in the layout "loop_element_list".
    static ReferenceMarks *for_loop(QWidget *page, const Settings &folder,
                                    const Settings &server_root);

    void refresh();

private:
    ReferenceMarks(QWidget *page, const char *context, const Settings &folder,
                   const Settings &server_root);
    QWidget *control_of(const Reference &r) const;

    QWidget *page_;
    const char *context_;
    std::string guid_;
    boost::shared_ptr<ReferenceIndex> index_;
    QPointer<QGridWidget> actions_;
    std::vector<QPointer<QWidget>> marked_;
};

} // namespace references
