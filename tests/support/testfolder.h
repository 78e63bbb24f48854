#pragma once

#include "testmanifest.h"

#include <QString>
#include <QTemporaryDir>

// A temporary folder for the files a test reads, removed with the object.
class TestFolder {
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Writes content to the file name, creating its folders, and returns the
    // file's path. A test that cannot write its input stops.
    QString write(const QString& name, const QByteArray& content)
    {
        return testmanifest::writeFile(m_dir.path(), name, content);
    }

private:
    QTemporaryDir m_dir;
};
