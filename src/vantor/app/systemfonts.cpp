#include "app/systemfonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>

namespace Vl::Tavix3::UI {

namespace {

const QHash<QString, QStringList>& candidates()
{
    static const QHash<QString, QStringList> table = {
        {QStringLiteral("DroidSans.ttf"),
         {QStringLiteral("/usr/share/fonts/truetype/droid/DroidSans.ttf"),
          QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")}},
        {QStringLiteral("DroidSansFallback.ttf"),
         {QStringLiteral("/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf"),
          QStringLiteral("/usr/share/fonts/truetype/droid/DroidSansFallback.ttf")}},
        {QStringLiteral("DroidSansNumbers.ttf"),
         {QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"),
          QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")}},
        // The wide-coverage font the device keeps beside its own.
        {QStringLiteral("arialuni.ttf"),
         {QStringLiteral("/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf"),
          QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")}},
    };
    return table;
}

} // namespace

QString SystemFonts::pathFor(const QString& fontName)
{
    for (const QString& path : candidates().value(fontName)) {
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

void SystemFonts::load()
{
    const QString mainFont = pathFor(QStringLiteral("DroidSans.ttf"));
    if (!mainFont.isEmpty()) {
        const int id = QFontDatabase::addApplicationFont(mainFont);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            QGuiApplication::setFont(QFont(families.first()));
    }
    for (const char* name : {"DroidSansFallback.ttf", "DroidSansNumbers.ttf", "arialuni.ttf"}) {
        const QString path = pathFor(QString::fromLatin1(name));
        if (path.isEmpty())
            continue;
        const QStringList families = QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(path));
        // The screens name the digits font by its family; the installed file stands in for it.
        if (qstrcmp(name, "DroidSansNumbers.ttf") == 0 && !families.isEmpty())
            QFont::insertSubstitution(QStringLiteral("Droid Sans Numbers"), families.first());
    }
}

} // namespace Vl::Tavix3::UI
