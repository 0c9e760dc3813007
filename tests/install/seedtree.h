#pragma once
// A fresh copy of the seeded program folder in a temporary folder, so that a
// test may write into it without touching the build's tree.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace installtest {

inline QString seedTree()
{
    return qEnvironmentVariable("QUORVEL_SEED_TREE");
}

inline bool copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QFile::copy(path, target)) {
            return false;
        }
    }
    return true;
}

// The copy lives as long as the returned object.
inline std::unique_ptr<QTemporaryDir> copySeedTree()
{
    auto dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid() || seedTree().isEmpty() || !copyTree(seedTree(), dir->path()))
        return nullptr;
    return dir;
}

} // namespace installtest
