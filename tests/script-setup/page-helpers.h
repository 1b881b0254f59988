#pragma once
// Shared by the loop and e-mail page tests: a tree file from tests/data, and
// a named control of a page.

#include "memory-host/tree-json.h"

#include <QFile>
#include <QObject>
#include <gtest/gtest.h>

inline void load_tree_file(memory_host::MemoryTree &tree, const char *name)
{
    QFile file(QStringLiteral(VX_TEST_DATA_DIR "/") + QLatin1String(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    std::string error;
    ASSERT_TRUE(memory_host::load_tree_json(tree, file.readAll().toStdString(), &error)) << error;
}

template <class W> W *child(QObject *page, const char *name)
{
    W *w = page->findChild<W *>(QString::fromLatin1(name));
    EXPECT_TRUE(w) << name;
    return w;
}
