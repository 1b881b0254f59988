#pragma once
// A deterministic, realistic Python script of any length: classes, methods,
// calls, tabs, docstrings and triple-quoted strings over several lines,
// escapes, "#" inside strings and text outside ASCII.

#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdint>

inline QString generated_python_script(int line_count, uint32_t seed = 20240611u)
{
    auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    // Statement templates, one paragraph each; %1 is a running number.
    static const QStringList statements = [] {
        QFile file(QStringLiteral(VX_SOURCE_DIR "/tests/data/editor/python-statements.txt"));
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll()).chopped(1).split(QStringLiteral("\n\n"));
    }();

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
                lines << statements[static_cast<int>(next(statements.size()))]
                             .arg(next(1000))
                             .split(QLatin1Char('\n'));
            lines << QString();
        }
    }
    while (lines.size() > line_count)
        lines.removeLast();
    return lines.join(QLatin1Char('\n'));
}
