#include "toursupport.h"

#include "app/application.h"
#include "core/sharedapplication.h"
#include "remote/serial.h"
#include "sequence/displayboard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Debian's openpyxl is seen by the system's own Python, not by one earlier on the PATH.
const char* const kPython = "/usr/bin/python3";

// Times and dates go in as the time and date cells a spreadsheet program writes.
const char* const kWorkbookScript = R"(import datetime, json, sys
from openpyxl import Workbook
book = Workbook()
sheet = book.active
for bib, time, date in json.loads(sys.argv[2]):
    sheet.append([bib, datetime.time.fromisoformat(time), datetime.date.fromisoformat(date)])
book.save(sys.argv[1])
)";

} // namespace

QString TourSupport::dataFolder(const QString& name) const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') + name;
}

bool TourSupport::writeTextFile(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size();
}

bool TourSupport::writeWorkbook(const QString& path, const QVariantList& rows) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray table = QJsonDocument(QJsonArray::fromVariantList(rows)).toJson(QJsonDocument::Compact);
    QProcess python;
    python.start(QString::fromLatin1(kPython),
        { QStringLiteral("-c"), QString::fromLatin1(kWorkbookScript), path, QString::fromUtf8(table) });
    if (!python.waitForFinished(30000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        std::fprintf(stderr, "cannot write the workbook %s: %s%s\n", qPrintable(path),
            python.readAllStandardError().constData(), qPrintable(python.errorString()));
        return false;
    }
    return QFileInfo(path).size() > 0;
}

bool TourSupport::sendBoardText(const QString& text) const
{
    const QSharedPointer<Vl::Tavix3::UI::Application> app = Vl::Tavix3::UI::sharedApplication();
    if (!app || !app->serial())
        return false;
    // The command server reads a file as it reads a client's bytes.
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("boardtext.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray("\x09\x1B") + text.toLocal8Bit() + QByteArray("\x02"));
    file.close();
    return app->serial()->readTextFile(path);
}

int TourSupport::boardPixel(int x, int y) const
{
    const QSharedPointer<Vl::Tavix3::UI::Application> app = Vl::Tavix3::UI::sharedApplication();
    return app && app->displayboard() ? app->displayboard()->pixel(x, y) : -1;
}
