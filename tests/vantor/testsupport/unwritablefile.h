#pragma once

#include <QString>

namespace TestSupport {

// A folder in place of a file while it lives: no one can write the file there, not even root,
// whom file modes do not stop. The file's former content is gone; the path is free again after.
class UnwritableFile
{
public:
    explicit UnwritableFile(const QString& path);
    ~UnwritableFile();
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;

    bool isInPlace() const;
    // Frees the path before the end of the object's life.
    void release();

private:
    QString m_path;
};

} // namespace TestSupport
