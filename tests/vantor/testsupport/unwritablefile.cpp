#include "testsupport/unwritablefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TestSupport {

UnwritableFile::UnwritableFile(const QString& path)
    : m_path(path)
{
    QFile::remove(m_path);
    QDir().mkpath(m_path);
}

UnwritableFile::~UnwritableFile() { release(); }

bool UnwritableFile::isInPlace() const { return QFileInfo(m_path).isDir(); }

void UnwritableFile::release() { QDir().rmdir(m_path); }

} // namespace TestSupport
