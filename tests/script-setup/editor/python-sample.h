#pragma once
// A deterministic, realistic Python script of any length: classes, methods,
// calls, tabs, docstrings and triple-quoted strings over several lines,
// escapes, "#" inside strings and text outside ASCII.

#include <QString>
#include <QStringList>

#include <cstdint>

inline QString generated_python_script(int line_count, uint32_t seed = 20240611u)
{
    auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    // Statement templates; %1 is a running number. Multi-line ones use \n.
    static const char *const statements[] = {
        "\t\tif ev.type == \"Motion\" and self.armed:\n\t\t\tmessage(\"Motion on %s # %1\" % "
        "ev.name)",
        "\t\ttimeout(%1, lambda: self.check(%1))",
        "\t\tname = 'Zone \\'%1\\' \\x41\\t'  # escaped",
        "\t\tpath = \"C:\\\\video\\\\cam%1.mp4\"",
        "\t\tfor item in settings(\"/cameras/%1\"):\n\t\t\tself.items.append(item)",
        "\t\treturn self.count > %1",
        "\t\tquery = '''select name from events\n\t\t\twhere id = %1\n\t\t\t'''",
        "\t\t# Überprüfung der Kamera %1: ok",
        "\t\tvalue = object(\"cam-%1\").state(\"zoom\")",
        "\t\tactivate_on_events(\"Camera\", \"Motion\", self.on_%1)",
        "\t\ttext = u\"Naïve café — e\u0301 %1\"",
        "\t\tpattern = \"a\\|b\\\\d+%1\"  # alternation",
        "\t\tself.total += digit * %1.5e-3",
        "\t\twhile not self.done:\n\t\t\tself.step(QPoint(%1, 2))",
        "\t\ttry:\n\t\t\tsend_mail_from_account(\"ops\", \"Alarm %1\")\n\t\texcept Exception as "
        "e:\n\t\t\terror(str(e))",
        "\t\tlabel = \"日本語 %1\" if flag else 'none'",
    };
    const int statement_count = sizeof statements / sizeof statements[0];

    QStringList lines;
    lines.reserve(line_count + 16);
    int n = 0;
    while (lines.size() < line_count) {
        ++n;
        lines << QStringLiteral("class Camera%1(QObject):").arg(n)
              << QStringLiteral("\t\"\"\"Watches camera %1 and reports").arg(n)
              << QStringLiteral("\tmotion to the operator (é, ü).") << QStringLiteral("\t\"\"\"")
              << QString();
        const int methods = 1 + static_cast<int>(next(3));
        for (int m = 0; m < methods && lines.size() < line_count; ++m) {
            lines << QStringLiteral("\tdef on_%1 (self, ev, *args):").arg(n * 10 + m);
            if (next(2))
                lines << QStringLiteral("\t\t\"\"\"Handles event %1.\"\"\"").arg(m);
            const int body = 3 + static_cast<int>(next(6));
            for (int s = 0; s < body; ++s)
                lines << QString::fromUtf8(statements[next(statement_count)])
                             .arg(next(1000))
                             .split(QLatin1Char('\n'));
            lines << QString();
        }
    }
    while (lines.size() > line_count)
        lines.removeLast();
    return lines.join(QLatin1Char('\n'));
}
